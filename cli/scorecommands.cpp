#include "cli/scorecommands.h"

#include <QImage>
#include <cstdio>

#include "cli/methodoptions.h"
#include "load/importpicture.h"
#include "convert/paletteranking.h"
#include "convert/score.h"
#include "load/picturefile.h"

namespace tovik::cli {

QString scoreText(double score) {
    return QString::number(score, 'f', 3);
}

const CommandSyntax& scoreSyntax() {
    static const CommandSyntax syntax = {"score", {"SOURCE", "RESULT"}, false, {}, {}, {}};
    return syntax;
}

Job prepareScore(const Arguments& args) {
    const QString sourcePath = args.positionals[0];
    const QString resultPath = args.positionals[1];
    return [=](FILE* out, FILE*) {
        const QImage source = loadPicture(sourcePath);
        const QImage result = loadPicture(resultPath);
        const double score = pictureScore(source, result);
        std::fprintf(out, "score %s\n", qUtf8Printable(scoreText(score)));
    };
}

const CommandSyntax& palettesSyntax() {
    // Built on first use: the method options come from another file's table.
    static const CommandSyntax syntax = {
        "palettes",    {"PICTURE"},  false, QStringList{"--method"} + methodValueOptions(),
        methodFlags(), {"--method"},
    };
    return syntax;
}

Job preparePalettes(const Arguments& args) {
    MethodSettings method = methodNamed(args.value("--method"));
    applyMethodOptions(args, method);
    const QString path = args.positionals[0];
    return [=](FILE* out, FILE*) {
        const ImportedPicture picture = importPicture(path);
        for (const PaletteScore& result : rankPalettes(method, picture)) {
            std::fprintf(out, "%d %s\n", result.palette, qUtf8Printable(scoreText(result.score)));
        }
    };
}

}  // namespace tovik::cli
