#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "cli/arguments.h"
#include "cli/convertcommand.h"
#include "cli/methodoptions.h"
#include "convert/methodoptions.h"
#include "convert/preset.h"
#include "picture/error.h"

namespace tovik {
namespace {

// One value for an option as the command line writes it and as a preset writes it.
struct Candidate {
    QString text;     // the command line's value; empty for a flag given
    QJsonValue json;  // the preset's
};

QString joined(const QList<int>& values, int group) {
    QStringList items;
    QStringList groupItems;
    for (int v : values) {
        groupItems.append(QString::number(v));
        if (groupItems.size() == group) {
            items.append(groupItems.join(','));
            groupItems.clear();
        }
    }
    return items.join(group == 1 ? ',' : '/');
}

QJsonArray jsonOf(const QList<int>& values, int group) {
    QJsonArray array;
    for (qsizetype i = 0; i < values.size(); i += group) {
        if (group == 1) {
            array.append(values[i]);
        } else {
            QJsonArray triple;
            for (int k = 0; k < group; ++k) {
                triple.append(values[i + k]);
            }
            array.append(triple);
        }
    }
    return array;
}

// Values at and just past each end of the option's range, and its choices.
std::vector<Candidate> candidates(const MethodOption& o) {
    std::vector<Candidate> out;
    switch (o.kind) {
        case MethodOption::Kind::Flag:
            out.push_back({QString(), true});
            break;
        case MethodOption::Kind::Whole:
            for (int v :
                 {o.min - 1, o.min, o.min + 1, (o.min + o.max) / 2, o.max - 1, o.max, o.max + 1}) {
                out.push_back({QString::number(v), v});
            }
            break;
        case MethodOption::Kind::Choice:
            for (const QString& name : o.choices + QStringList{"none-such"}) {
                out.push_back({name, name});
            }
            break;
        case MethodOption::Kind::Wholes:
        case MethodOption::Kind::Triples: {
            const int group = o.kind == MethodOption::Kind::Triples ? 3 : 1;
            for (int v : {o.min - 1, o.min, o.max, o.max + 1}) {
                QList<int> values(o.count * group, o.min);
                values.back() = v;
                out.push_back({joined(values, group), jsonOf(values, group)});
            }
            break;
        }
    }
    return out;
}

// Every option of the table, at every candidate value, is accepted by the command line
// exactly when a preset accepts it, and both give the same settings.
TEST(MethodOptionTable, BothFrontEndsAcceptTheSameValuesAndAgree) {
    int checked = 0;
    for (const MethodOption& option : methodOptions()) {
        for (const Candidate& c : candidates(option)) {
            const std::string name =
                (option.method + " --" + option.name + " " + c.text).toStdString();
            QStringList args{"picture.png", "--method", option.method, "--" + option.name};
            if (!c.text.isEmpty()) {
                args.append(c.text);
            }
            args << "-o"
                 << "out.bip";
            std::optional<MethodSettings> fromCommandLine = *defaultSettingsFor(option.method);
            try {
                cli::applyMethodOptions(cli::parseArguments(args, cli::convertSyntax()),
                                        *fromCommandLine);
            } catch (const cli::UsageError&) {
                fromCommandLine.reset();
            }
            QJsonObject object{{"method", option.method}, {option.name, c.json}};
            std::optional<MethodSettings> fromPreset;
            try {
                fromPreset = decodePreset(QJsonDocument(object).toJson(), "p.json").method;
            } catch (const Error&) {
            }
            EXPECT_EQ(fromCommandLine.has_value(), fromPreset.has_value()) << name;
            EXPECT_EQ(fromCommandLine, fromPreset) << name;
            ++checked;
        }
    }
    EXPECT_GE(checked, 50);
}

}  // namespace
}  // namespace tovik
