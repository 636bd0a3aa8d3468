#include "cli/commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <new>
#include <vector>

#include "cli/arguments.h"
#include "cli/convertcommand.h"
#include "cli/interrupt.h"
#include "cli/methodoptions.h"
#include "cli/outputformat.h"
#include "cli/scorecommands.h"
#include "load/picturefile.h"
#include "machinefiles/fileinfo.h"
#include "machinefiles/rawstrip.h"
#include "picture/error.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/picturesize.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"
#include "tovik_version.h"

namespace tovik::cli {

namespace {

constexpr char kProgram[] = "tovik-images-cli";

void print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

Job prepareExport(const Arguments& args) {
    const OutputTarget target = outputTarget(args);
    const QString path = args.positionals[0];
    refuseOverwritingInputs({path}, target.path);
    return [=](FILE*, FILE*) {
        const ProjectFile project = readProject(path);
        const PictureSize size = clampPictureSize(project.width, project.height, kStartHeightMax);
        PixelBuffer buffer;
        loadProjectPixels(project.pixels, size.width, size.height, buffer);
        writePicture(target, buffer, size, project.palette);
    };
}

Job prepareImportRaw(const Arguments& args) {
    const int height = intOption(args, "--height", kStartHeightMax, kMinHeight, kStartHeightMax);
    const int palette = intOption(args, "--palette", 0, 0, kPaletteCount - 1);
    const OutputTarget target = outputTarget(args);
    const QString path = args.positionals[0];
    refuseOverwritingInputs({path}, target.path);
    return [=](FILE*, FILE*) {
        const PictureSize size = clampPictureSize(8, height, kStartHeightMax);
        PixelBuffer buffer;
        // One byte a row: nothing past the picture's last row is read.
        readRawStrip(readFile(path, size.height), size.height, buffer);
        writePicture(target, buffer, size, palette);
    };
}

void runInfo(const QString& path, FILE* out) {
    // The machine's files by their extension, as the exports name them; the BIN kind by
    // the header inside.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("bin")) {
        print(out, infoText(readBinInfo(readFile(path, kMaxBinFileBytes + 1), path)));
        return;
    }
    if (suffix == QLatin1String("mac")) {
        print(out, infoText(readUkncInfo(readFile(path, kMaxUkncSourceBytes + 1), path)));
        return;
    }
    const QByteArray head = readFile(path, kProjectHeaderSize);
    // A .bip without the magic is a damaged project: say so rather than that .bip is no
    // picture extension.
    if (head.startsWith("PRJ") ||
        QFileInfo(path).suffix().compare("bip", Qt::CaseInsensitive) == 0) {
        const ProjectFile project = decodeProject(head, path);
        print(out, QStringLiteral("width %1\nheight %2\npalette %3\n")
                       .arg(project.width)
                       .arg(project.height)
                       .arg(project.palette));
        return;
    }
    const QImage picture = loadPicture(path);
    print(out, QStringLiteral("width %1\nheight %2\n").arg(picture.width()).arg(picture.height()));
}

Job prepareInfo(const Arguments& args) {
    const QString path = args.positionals[0];
    return [=](FILE* out, FILE*) { runInfo(path, out); };
}

struct Command {
    CommandSyntax syntax;
    Job (*prepare)(const Arguments&);
};

// Built on first use, after every table it copies from has been initialised.
const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {convertSyntax(), prepareConvert},
        {{"export", {"PROJECT"}, false, outputOptions(), {}, {"-o"}}, prepareExport},
        {{"import-raw",
          {"FILE"},
          false,
          outputOptions() + QStringList{"--height", "--palette"},
          {},
          {"-o"}},
         prepareImportRaw},
        {{"info", {"FILE"}, false, {}, {}, {}}, prepareInfo},
        {scoreSyntax(), prepareScore},
        {palettesSyntax(), preparePalettes},
    };
    return table;
}

}  // namespace

// The usage in sections, each translated whole; the method options' own lines come from
// the method tables.
QString usageText() {
    return QCoreApplication::translate("tovik::cli", R"(Usage:
  tovik-images-cli convert PICTURE --method METHOD [options] [--palette P|auto] [--score]
                   -o OUTPUT [--format FMT]
  tovik-images-cli convert PICTURE... --method METHOD [options] [--palette P|auto] [--score]
                   --out-dir DIR [--format FMT] [--jobs N]
  tovik-images-cli convert PICTURE... --preset FILE [options] (-o OUTPUT | --out-dir DIR ...)
  (convert also takes the frame and tone options: --frame, --size, --brightness, ...)
  tovik-images-cli palettes PICTURE --method METHOD [options]
  tovik-images-cli score SOURCE RESULT
  tovik-images-cli export PROJECT.bip -o OUTPUT [--format FMT]
  tovik-images-cli import-raw FILE [--height H] [--palette P] -o OUTPUT [--format FMT]
  tovik-images-cli info FILE
  tovik-images-cli --help
  tovik-images-cli --version

)") + QCoreApplication::translate("tovik::cli", R"(Commands:
  convert      load a BMP, JPEG, PNG, GIF, TIFF or WebP picture, fit it and convert it
               as the desktop program does from a fresh start (64 x 64, all 0, palette 0,
               height maximum 1024); with --out-dir, any number of pictures, each
               converted exactly as alone
  palettes     load and fit the picture as convert does, convert it with each of the 16
               palettes and print one line "K S" a palette: its number and the score,
               lowest score first, equal scores by the lower number
  score        print "score S": how far RESULT looks from SOURCE (see Scores); both
               pictures are read as they are, not fitted, and must be of one size
  export       write a project file in another format, its size clamped as opening
               the project would clamp it
  import-raw   read a raw strip 8 pixels wide: one byte a row, bit 7 the leftmost pixel,
               a set bit index 2, a clear bit 0; rows past the end of the file are 0
  info         print the width, height and palette of a project, or the size of a picture;
               for a .bin its kind (bin-palette, bin-header or dump by the header),
               load address (octal), length, fixed words and the sizes it fills; for a
               .mac the bytes a row and the height its first line gives

)") +
           QCoreApplication::translate("tovik::cli",
                                       R"(Methods of convert and palettes (--method METHOD):
)") +
           methodOptionsUsage({
               {QStringLiteral("cga"),
                QCoreApplication::translate("tovik::cli",
                                            "palette 4 unless --palette says otherwise")},
               {QStringLiteral("diffusion"),
                QCoreApplication::translate(
                    "tovik::cli",
                    "each pixel the nearest of the palette's four colours, the rest of its "
                    "error passed on to its neighbours")},
               {QStringLiteral("ordered"),
                QCoreApplication::translate("tovik::cli",
                                            "ordered dithering to the palette's four colours")},
               {QStringLiteral("search"),
                QCoreApplication::translate(
                    "tovik::cli",
                    "the diffusion (its options the same), then refined pass after pass: "
                    "each pixel's other colours and swaps with its neighbours, kept when "
                    "the picture looks closer; with --palette auto, the palettes are ranked "
                    "by the diffusion and the first is refined")},
           }) +
           QCoreApplication::translate(
               "tovik::cli",
               R"(  The first four write fixed colour indices meant for palette 0 (cga for palette 4);
  diffusion, ordered and search use the colours of the palette given. An option of another
  method is a usage error.

)") + QCoreApplication::translate("tovik::cli", R"(Options:
  -o OUTPUT         the file to write; an existing file is replaced only once the new
                    one is complete
  --out-dir DIR     convert: write each picture to DIR/<its name without extension>.<the
                    format's extension> (.bip, .bmp, .mac, or .bin for bin-palette,
                    bin-header and dump); the folder is made when missing; two pictures
                    that would write the same name (in any letter case) are a usage error
  --jobs N          with --out-dir: how many pictures are converted at a time, 1..256,
                    default the number of processors; the files written do not depend on it
  --preset FILE     convert: the method, its options and the palette saved in a JSON
                    file, as a tool window's "Сохранить настройки…" writes it; --method,
                    the method's options and --palette given here win over it
  --format FMT      the format of OUTPUT; without it OUTPUT's extension decides, in any
                    letter case: .bip, .bmp, .mac, and .bin for bin-header; bip with --out-dir
  --palette P       palette 0..15, default 0 (4 for cga)
  --palette auto    convert: convert with each of the 16 palettes, keep the one of lowest
                    score (equal scores: the lower number), write it and print
                    "palette K" and "score S"
  --score           convert: also print "score S", the conversion's score

)") +
           QCoreApplication::translate(
               "tovik::cli",
               R"(Frame and tone (convert), as the window "Кадр и тон" sets them; with none, or with
--frame fit and every value neutral, the bytes are those of a plain convert:
  --frame fit       the whole photograph, its longer side to 256 (the default)
  --frame fill      the --size W x H filled, the photograph cropped centred
  --frame X,Y,W,H   a rectangle in the photograph's own pixels, inside it
  --size WxH        the picture's size, W 8..320, H 8 up to what 65536 entries allow
                    for W; fill needs it; a rectangle without it takes the fit rule,
                    fit with it only changes the picture's size
  --brightness N    -100..100, neutral 0
  --contrast N      -100..100, neutral 0
  --gamma G         0.1..10, neutral 1; above 1 lightens the middle tones
  --saturation N    0..200 per cent, neutral 100
  --sharpen N       0..100, an unsharp mask, neutral 0
  --auto-tone       brightness and contrast from the framed picture's histogram, its
                    darkest and lightest half per cent to black and white
  --height H        import-raw: the picture height, 8..1024, default 1024
  --help, -h        print this text and stop
  --version         print the program's name and version and stop

)") +
           QCoreApplication::translate(
               "tovik::cli",
               R"(Scores: how far a result looks from its picture to a person at a normal distance, the
mean CIEDE2000 difference of the two pictures blurred a little (lower is better, 0 the
same), printed with three decimals. A conversion's score compares the fitted picture
with the result drawn in the palette's colours. With --out-dir, convert prints one line
a picture written, in the order of the list: the picture's name as given, then its
fields, as in "photos/a.jpg palette 3 score 12.345".

)") + QCoreApplication::translate("tovik::cli", R"(Formats (FMT):
  bip               project file: "PRJ", width, height, palette, one byte a pixel
  bin-palette       BIN with palette: load address 0x3FF0, length, 12 fixed bytes,
                    packed picture (four pixels a byte)
  bin-header        BIN with header: load address 0x4000, length, packed picture
  dump              the packed picture alone
  bmp               24-bit BMP in the palette's colours
  mac               UKNC assembler source: two bit planes as octal .BYTE lines

)") +
           QCoreApplication::translate(
               "tovik::cli",
               R"(Presets (--preset FILE), a JSON object whose fields are named as the options:
  {"method": "diffusion", "kernel": "stucki", "serpentine": true, "strength": 90,
   "palette": "auto"}
  "method" is required; "palette" is 0..15 or "auto"; the other fields are the
  method's options above without "--", with the same values: a flag is true or false, a
  list a JSON array ("reference": 16 [R, G, B]). A missing option
  keeps the window's start value; any other field is an error. Every method also
  takes the tone: "brightness", "contrast", "gamma", "saturation", "sharpen" and
  "auto-tone"; the command line's tone options win over them. The frame is not kept.

)") + QCoreApplication::translate("tovik::cli", R"(Examples:
  tovik-images-cli convert photo.jpg --method diffusion --kernel jarvis --serpentine
                   --palette auto -o photo.bip
  tovik-images-cli convert photo.jpg --method ordered --matrix 8 --palette 6 --score
                   -o photo.bmp
  tovik-images-cli convert photo.jpg --method diffusion --frame fill --size 128x96
                   --contrast 20 --sharpen 30 --palette 3 -o photo.bip
  tovik-images-cli palettes photo.jpg --method diffusion --strength 80
  tovik-images-cli score original.png edited.png

)") +
           QCoreApplication::translate(
               "tovik::cli",
               R"(Exit status: 0 done; 1 failed, with the message on standard error and OUTPUT left as
it was; 2 usage error, with the usage on standard error. With --out-dir, a picture that
fails is reported with its name and the reason, the others are still written, and the
status is 1 if any failed; a progress line shows on a terminal. Ctrl+C finishes the file
being written, begins no other, and leaves no partial file behind.
)");
}

Job parseCommandLine(const QStringList& args) {
    if (args.isEmpty()) {
        throw UsageError(QCoreApplication::translate("tovik::cli", "no command given"));
    }
    for (const Command& command : commands()) {
        if (command.syntax.name == args[0]) {
            return command.prepare(parseArguments(args.mid(1), command.syntax));
        }
    }
    throw UsageError(QCoreApplication::translate("tovik::cli", "unknown command %1").arg(args[0]));
}

int run(const QStringList& args, FILE* out, FILE* err) {
    if (args.contains(QLatin1String("--version"))) {
        print(out, QStringLiteral("%1 %2\n").arg(kProgram, TOVIK_VERSION));
        return 0;
    }
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        print(out, usageText());
        return 0;
    }
    const StopOnSignal stopOnSignal;
    int status = 0;
    try {
        parseCommandLine(args)(out, err);
    } catch (const UsageError& e) {
        print(err, QStringLiteral("%1: %2\n\n%3").arg(kProgram, e.message(), usageText()));
        status = 2;
    } catch (const Error& e) {
        print(err, QStringLiteral("%1: %2\n").arg(kProgram, e.message()));
        status = 1;
    } catch (const std::bad_alloc&) {
        print(err, QCoreApplication::translate("tovik::cli", "%1: out of memory\n").arg(kProgram));
        status = 1;
    }
    if (stopRequested()) {
        print(err, QCoreApplication::translate("tovik::cli", "%1: interrupted\n").arg(kProgram));
        std::fflush(out);
        std::fflush(err);
        endByStopSignal();
    }
    return status;
}

}  // namespace tovik::cli
