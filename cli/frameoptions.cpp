#include "cli/frameoptions.h"

#include <QCoreApplication>
#include <cmath>

#include "cli/arguments.h"
#include "picture/error.h"

namespace tovik::cli {

namespace {

QString toneOption(int parameter) {
    return QStringLiteral("--") + QLatin1String(kToneRanges[size_t(parameter)].name);
}

// "W,H"-like lists of whole numbers: exactly `count` items split at separator.
std::vector<int> wholeNumbers(const QString& option, const QString& text, QChar separator,
                              int count, const QString& form) {
    const QStringList items = text.split(separator);
    std::vector<int> numbers;
    for (const QString& item : items) {
        bool ok = false;
        numbers.push_back(item.toInt(&ok, 10));
        if (!ok || items.size() != count) {
            throw UsageError(QCoreApplication::translate("tovik::cli", "%1: '%2' is not %3")
                                 .arg(option, text, form));
        }
    }
    return numbers;
}

}  // namespace

QStringList framingValueOptions() {
    QStringList options = {QStringLiteral("--frame"), QStringLiteral("--size")};
    for (int p = 0; p < kToneParameterCount; ++p) {
        options << toneOption(p);
    }
    return options;
}

QStringList framingFlags() {
    return {QStringLiteral("--auto-tone")};
}

Framing framingOf(const Arguments& args) {
    Framing framing;
    if (args.values.contains("--size")) {
        const std::vector<int> size =
            wholeNumbers("--size", args.value("--size"), 'x', 2, QStringLiteral("WxH"));
        framing.size = PictureSize{size[0], size[1]};
        try {
            checkTargetSize(*framing.size);
        } catch (const Error& e) {
            throw UsageError(QStringLiteral("--size: ") + e.message());
        }
    }
    if (args.values.contains("--frame")) {
        const QString frame = args.value("--frame");
        if (frame == QLatin1String("fill")) {
            if (!framing.size) {
                throw UsageError(
                    QCoreApplication::translate("tovik::cli", "--frame fill needs --size WxH"));
            }
            framing.frame.kind = Frame::Kind::Fill;
        } else if (frame != QLatin1String("fit")) {
            const std::vector<int> r =
                wholeNumbers("--frame", frame, ',', 4,
                             QCoreApplication::translate("tovik::cli", "fit, fill or X,Y,W,H"));
            if (r[0] < 0 || r[1] < 0 || r[2] < 1 || r[3] < 1) {
                throw UsageError(
                    QCoreApplication::translate("tovik::cli",
                                                "--frame %1: X and Y must be 0 or more, W and "
                                                "H 1 or more")
                        .arg(frame));
            }
            framing.frame = {Frame::Kind::Rect, QRect(r[0], r[1], r[2], r[3])};
        }
    }
    return framing;
}

void applyToneOptions(const Arguments& args, ToneSettings& tone, bool& autoTone) {
    for (int p = 0; p < kToneParameterCount; ++p) {
        const QString option = toneOption(p);
        if (!args.values.contains(option)) {
            continue;
        }
        const ToneRange& range = kToneRanges[size_t(p)];
        const QString text = args.value(option);
        if (p != kGamma) {
            setToneValue(tone, ToneParameter(p),
                         intValue(option, text, int(range.min), int(range.max)));
            continue;
        }
        bool ok = false;
        const double gamma = text.toDouble(&ok);
        if (!ok || !std::isfinite(gamma)) {
            throw UsageError(QCoreApplication::translate("tovik::cli", "%1: '%2' is not a number")
                                 .arg(option, text));
        }
        if (!(gamma >= range.min && gamma <= range.max)) {
            throw UsageError(
                QCoreApplication::translate("tovik::cli", "%1 must be between %2 and %3, not %4")
                    .arg(option)
                    .arg(range.min)
                    .arg(range.max)
                    .arg(text));
        }
        tone.gamma = gamma;
    }
    if (args.has("--auto-tone")) {
        if (args.has("--brightness") || args.has("--contrast")) {
            throw UsageError(QCoreApplication::translate(
                "tovik::cli",
                "--auto-tone sets brightness and contrast itself; give --brightness and "
                "--contrast without it"));
        }
        autoTone = true;
    }
}

}  // namespace tovik::cli
