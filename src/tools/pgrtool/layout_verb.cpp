// pgrtool layout: how a text wraps in a memo, for report authors who wonder
// why a line breaks where it does: the font file used, the lines with their
// positions and widths, and the memo's measured height and width.

#include "verb.h"

#include "objects/RegisterObjects.h"
#include "platform/Error.h"
#include "platform/format/NumberText.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "report/text/MemoText.h"
#include "report/text/TextPlacement.h"
#include "report/views/MemoTextInputs.h"
#include "report/views/TpgxMemoView.h"

#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

#include <functional>
#include <map>

namespace pgx::tool {

namespace {

using namespace pgx::text;

const char kUsage[] = "Usage: pgrtool layout [OPTIONS] TEXT...\n"
                      "       pgrtool layout TEMPLATE.pgr OBJECT\n"
                      "Lays out TEXT as a text object lays out its text (every further TEXT,\n"
                      "and every line break in one, starts a new memo line) and prints the\n"
                      "font file, each line with its position and width in report units\n"
                      "(96 per inch; x from the text rectangle's left, y from its top), and the\n"
                      "memo's CalcHeight and CalcWidth. The second form lays out the text object\n"
                      "OBJECT of a template with its own font, size, gaps and options.\n"
                      "  --font NAME,SIZE[,bold][,italic]   font (default Arial,10)\n"
                      "  --width W, --height H              the memo's size (default 150 x 100)\n"
                      "  --align left|right|center|block    horizontal alignment (default left)\n"
                      "  --valign top|bottom|center         vertical alignment (default top)\n"
                      "  --gap-x N, --gap-y N               inner margins (default 2 and 1)\n"
                      "  --line-spacing N                   (default 2)\n"
                      "  --char-spacing N, --paragraph-gap N, --rotation DEGREES\n"
                      "  --no-wrap, --word-break, --html, --auto-width, --rtl\n"
                      "Exit code 2 for options it does not know.";

QString number(double value)
{
    return format::fileFloatText(format::roundHalfEven(value * 100) / 100);
}

// "Arial,10,bold" into the font of `options`; false for a malformed one.
bool parseFont(const QString &text, FontSpec &font)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.isEmpty() || parts.front().trimmed().isEmpty())
        return false;
    font.name = parts.front().trimmed();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed().toLower();
        bool ok = false;
        const int size = part.toInt(&ok);
        if (ok && size > 0 && size <= 1000)
            font.size = size;
        else if (part == QLatin1String("bold"))
            font.style |= kBold;
        else if (part == QLatin1String("italic"))
            font.style |= kItalic;
        else if (part == QLatin1String("underline"))
            font.style |= kUnderline;
        else
            return false;
    }
    return true;
}

QString flagsText(int flags)
{
    QStringList out;
    if (flags & kFirstOfParagraph)
        out << QStringLiteral("first");
    if (flags & kLastOfParagraph)
        out << QStringLiteral("last");
    return out.isEmpty() ? QString() : QLatin1String(" [") + out.join(u' ') + u']';
}

int printLayout(VerbContext &ctx, const QStringList &lines, const TextOptions &options,
                const MemoBox &box)
{
    const TextLayout layout = layOutMemo(lines, options, box);
    const FaceMetrics &face = FaceMetrics::get(fontFileFor(options.font.name, options.font.style),
                                               pixelSizeAt(options.font.size, kLayoutDpi));
    if (!face.isValid()) {
        ctx.err << "pgrtool layout: cannot read the font file " << face.file().path << '\n';
        return ExitInputFault;
    }
    ctx.out << "font: " << face.file().family << ' ' << options.font.size << " pt, "
            << QFileInfo(face.file().path).fileName() << ", " << face.pixelSize()
            << " pixels per em at " << kLayoutDpi << " dpi, " << face.height() << " high\n";
    const TextPlacement placement = placeText(layout, box, DeviceScale{});
    const DeviceRect &r = placement.textRect;
    ctx.out << "text rectangle: " << r.left << ',' << r.top << " - " << r.right << ',' << r.bottom
            << " (" << r.width() << " x " << r.height() << ")\n";
    ctx.out << "line height: " << number(layout.lineHeight()) << '\n';
    for (const PlacedLine &placed : placement.lines) {
        const LayoutLine &line = layout.lines()[size_t(placed.line)];
        ctx.out << "line " << placed.line + 1 << ": x " << (placed.x.empty() ? 0 : placed.x.front())
                << " y " << placed.top << " width " << number(line.width / kLayoutFactor) << " \""
                << layout.lineText(placed.line) << '"' << flagsText(line.flags) << '\n';
    }
    ctx.out << "height: " << number(calcHeight(lines, options, box)) << '\n';
    ctx.out << "width: " << number(calcWidth(lines, options, box)) << '\n';
    return ExitOk;
}

// The text object OBJECT of a template, laid out as it is in the template.
int layOutTemplateObject(VerbContext &ctx, const QString &path, const QString &objectName)
{
    registerReportClasses();
    registerObjectClasses();
    TpgxReport report;
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    try {
        report.loadFromFile(path, true);
    } catch (const Error &e) {
        ctx.err << "pgrtool layout: " << e.message() << '\n';
        return ExitInputFault;
    }
    const auto *memo = qobject_cast<TpgxCustomMemoView *>(report.findObject(objectName));
    if (!memo) {
        ctx.err << "pgrtool layout: " << path << " has no text object \"" << objectName << "\"\n";
        return ExitInputFault;
    }
    MemoBox box = views::memoBox(*memo);
    // Positions are shown from the object's own corner.
    box.left = 0;
    box.top = 0;
    ctx.out << "object: " << memo->name() << ", " << number(memo->width()) << " x "
            << number(memo->height()) << '\n';
    return printLayout(ctx, views::memoLayoutLines(*memo), views::memoTextOptions(*memo), box);
}

int runLayout(VerbContext &ctx)
{
    if (ctx.args.size() == 2 && ctx.args[0].endsWith(QLatin1String(".pgr"), Qt::CaseInsensitive)
        && QFileInfo(ctx.args[0]).isFile())
        return layOutTemplateObject(ctx, ctx.args[0], ctx.args[1]);
    TextOptions options;
    MemoBox box;
    box.width = 150;
    box.height = 100;
    QStringList lines;

    const std::map<QString, bool *> switches{
        {QStringLiteral("--word-break"), &options.wordBreak},
        {QStringLiteral("--html"), &options.allowHtmlTags},
        {QStringLiteral("--auto-width"), &options.autoWidth},
        {QStringLiteral("--rtl"), &options.rtlReading},
    };
    const std::map<QString, double *> numbers{
        {QStringLiteral("--width"), &box.width},
        {QStringLiteral("--height"), &box.height},
        {QStringLiteral("--gap-x"), &box.gapX},
        {QStringLiteral("--gap-y"), &box.gapY},
        {QStringLiteral("--line-spacing"), &options.lineSpacing},
        {QStringLiteral("--char-spacing"), &options.charSpacing},
        {QStringLiteral("--paragraph-gap"), &options.paragraphGap},
    };
    auto usage = [&](const QString &message) {
        ctx.err << "pgrtool layout: " << message << "\nsee pgrtool layout --help\n";
        return ExitUsage;
    };
    bool textOnly = false;
    for (qsizetype i = 0; i < ctx.args.size(); ++i) {
        const QString &arg = ctx.args[i];
        if (textOnly || !arg.startsWith(QLatin1String("--"))) {
            lines += arg.split(QRegularExpression(QStringLiteral("\r\n|\r|\n|\u2028")));
            continue;
        }
        if (arg == QLatin1String("--")) {
            textOnly = true;
        } else if (auto s = switches.find(arg); s != switches.end()) {
            *s->second = true;
        } else if (arg == QLatin1String("--no-wrap")) {
            options.wordWrap = false;
        } else if (i + 1 >= ctx.args.size()) {
            return usage(QStringLiteral("%1 needs a value").arg(arg));
        } else if (auto n = numbers.find(arg); n != numbers.end()) {
            bool ok = false;
            *n->second = ctx.args[++i].toDouble(&ok);
            if (!ok || *n->second < 0 || *n->second > 100000)
                return usage(QStringLiteral("%1 takes a number from 0 to 100000").arg(arg));
        } else if (arg == QLatin1String("--rotation")) {
            bool ok = false;
            options.rotation = ctx.args[++i].toInt(&ok) % 360;
            if (!ok)
                return usage(QStringLiteral("--rotation takes whole degrees"));
        } else if (arg == QLatin1String("--font")) {
            if (!parseFont(ctx.args[++i], options.font))
                return usage(QStringLiteral("--font takes NAME,SIZE[,bold][,italic]"));
        } else if (arg == QLatin1String("--align")) {
            const QString value = ctx.args[++i];
            const std::map<QString, HAlign> aligns{{QStringLiteral("left"), HAlign::Left},
                                                   {QStringLiteral("right"), HAlign::Right},
                                                   {QStringLiteral("center"), HAlign::Center},
                                                   {QStringLiteral("block"), HAlign::Block}};
            const auto a = aligns.find(value);
            if (a == aligns.end())
                return usage(QStringLiteral("--align takes left, right, center or block"));
            options.hAlign = a->second;
        } else if (arg == QLatin1String("--valign")) {
            const QString value = ctx.args[++i];
            const std::map<QString, VAlign> aligns{{QStringLiteral("top"), VAlign::Top},
                                                   {QStringLiteral("bottom"), VAlign::Bottom},
                                                   {QStringLiteral("center"), VAlign::Center}};
            const auto a = aligns.find(value);
            if (a == aligns.end())
                return usage(QStringLiteral("--valign takes top, bottom or center"));
            options.vAlign = a->second;
        } else {
            return usage(QStringLiteral("unknown option %1").arg(arg));
        }
    }

    return printLayout(ctx, lines, options, box);
}

}   // namespace

extern const Verb kLayoutVerb = {
    "layout",
    "show how a text wraps and measures in a text object",
    kUsage,
    runLayout,
};

}   // namespace pgx::tool
