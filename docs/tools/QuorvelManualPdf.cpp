// Turns a manual written in Markdown into a PDF: A4 pages, a title and table of contents with
// page numbers first, the page number at the foot of every page, pictures fitted to the page,
// and real text in a font with Japanese glyphs.
//
//   quorvel-manual-pdf MANUAL.md OUTPUT.pdf PICTURE_FOLDER FONT_FILE CONTENTS_CAPTION

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QAbstractTextDocumentLayout>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDpi = 300;
constexpr double kMarginMm = 18.0;
constexpr double kFootMm = 10.0;
constexpr qreal kBodyPoints = 10.0;
// Pictures are drawn at most this part of the text width, so a page holds one with its text.
constexpr qreal kPictureWidth = 0.75;

qreal MmToPixels(double mm) {
    return mm / 25.4 * kDpi;
}

struct Heading {
    int level;
    QString text;
    int bodyPage; // zero-based page of the body
};

struct Page {
    QRectF text;   // where the text goes, in device pixels
    qreal footTop; // the baseline area of the page number
};

Page PageGeometry(const QPdfWriter& writer) {
    const QRectF paper(0, 0, writer.width(), writer.height());
    const qreal margin = MmToPixels(kMarginMm);
    const qreal foot = MmToPixels(kFootMm);
    return {paper.adjusted(margin, margin, -margin, -margin - foot), paper.height() - margin - foot * 0.6};
}

void Prepare(QTextDocument& document, QPaintDevice& device, const QFont& font, const QRectF& text) {
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(font);
    document.setPageSize(text.size());
    document.setDocumentMargin(0);
}

// Pictures: loaded from the folder, fitted to the text width in the document's 96-dpi units.
bool FitPictures(QTextDocument& document, const QString& folder, qreal textWidth) {
    struct Placed {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Placed> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                pictures.push_back({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
            }
        }
    }
    const qreal widest = textWidth * 96.0 / kDpi * kPictureWidth;
    bool ok = true;
    for (Placed& placed : pictures) {
        const QImage picture(folder + "/" + placed.format.name());
        if (picture.isNull()) {
            std::fprintf(stderr, "missing picture %s\n", qPrintable(placed.format.name()));
            ok = false;
            continue;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(placed.format.name()), picture);
        const qreal width = std::min<qreal>(widest, picture.width());
        placed.format.setWidth(width);
        placed.format.setHeight(width * picture.height() / picture.width());
        QTextCursor cursor(&document);
        cursor.setPosition(placed.position);
        cursor.setPosition(placed.position + placed.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(placed.format);
    }
    return ok;
}

// Tables get thin ruled cells across the text width.
void StyleTables(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(QColor(150, 150, 150));
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellPadding(4);
            format.setCellSpacing(0);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            // A table that goes on over a page break shows its header again.
            format.setHeaderRowCount(1);
            table->setFormat(format);
        }
    }
}

// Air around headings, paragraphs and pictures; code on a light ground.
void StyleBlocks(QTextDocument& document) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level > 0) {
            format.setTopMargin(level == 1 ? 24 : level == 2 ? 16 : 10);
            format.setBottomMargin(6);
        } else if (format.nonBreakableLines()) {
            format.setBackground(QColor(238, 238, 238));
            format.setLeftMargin(8);
            QTextCharFormat smaller;
            smaller.setFontPointSize(kBodyPoints - 1);
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(smaller);
        } else if (!QTextCursor(block).currentTable()) {
            format.setBottomMargin(6);
        }
        if (block.text() == QString(QChar::ObjectReplacementCharacter)) {
            format.setAlignment(Qt::AlignHCenter);
        }
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

bool StartsPage(const QTextBlock& block) {
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

// A heading whose next line would fall on the next page starts that page itself. Returns whether
// a heading moved.
bool KeepHeadingsWithText(QTextDocument& document) {
    bool moved = false;
    const qreal pageHeight = document.pageSize().height();
    const auto pageOf = [pageHeight](qreal y) { return static_cast<int>(std::floor(y / pageHeight)); };
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid() && block.next().isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || StartsPage(block)) {
            continue;
        }
        const QTextBlock next = block.next();
        const QRectF nextBox = layout->blockBoundingRect(next);
        const QTextLayout* lines = next.layout();
        const qreal firstLineBottom =
            lines->lineCount() > 0 ? nextBox.top() + lines->lineAt(0).rect().bottom() : nextBox.bottom();
        if (pageOf(layout->blockBoundingRect(block).top()) != pageOf(firstLineBottom - 1)) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            moved = true;
        }
    }
    return moved;
}

// A paragraph that would run over a page break starts the next page: every page is drawn with
// the whole of each block it shows, so the lines of a divided block would be written on both.
// Returns whether a paragraph moved.
bool KeepParagraphsWhole(QTextDocument& document) {
    bool moved = false;
    const qreal pageHeight = document.pageSize().height();
    const auto pageOf = [pageHeight](qreal y) { return static_cast<int>(std::floor(y / pageHeight)); };
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        if (QTextCursor(block).currentTable() || StartsPage(block) || box.height() >= pageHeight ||
            pageOf(box.top()) == pageOf(box.bottom() - 1)) {
            continue;
        }
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
        moved = true;
    }
    return moved;
}

std::vector<Heading> Headings(const QTextDocument& document) {
    std::vector<Heading> headings;
    const qreal pageHeight = document.pageSize().height();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > 2) {
            continue;
        }
        const QRectF box = document.documentLayout()->blockBoundingRect(block);
        headings.push_back({level, block.text(), static_cast<int>(std::floor(box.top() / pageHeight))});
    }
    return headings;
}

// A bold line of the given size, with room below it.
void InsertBoldLine(QTextCursor& cursor, const QString& text, qreal points, qreal below) {
    QTextBlockFormat format;
    format.setBottomMargin(below);
    QTextCharFormat chars;
    chars.setFontPointSize(points);
    chars.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(format);
    cursor.insertText(text, chars);
}

// The front pages: the title (the manual's first heading), the caption and one row per
// heading with its page number at the right edge.
void WriteContents(QTextDocument& contents, const QString& title, const QString& caption,
                   const std::vector<Heading>& headings, int firstBodyPage) {
    contents.clear();
    QTextCursor cursor(&contents);
    InsertBoldLine(cursor, title, 24, 24);
    cursor.insertBlock();
    InsertBoldLine(cursor, caption, 16, 12);

    QTextTableFormat grid;
    grid.setBorder(0);
    grid.setCellPadding(2);
    grid.setCellSpacing(0);
    grid.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    grid.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 90),
                                    QTextLength(QTextLength::PercentageLength, 10)});
    QTextTable* table = cursor.insertTable(static_cast<int>(headings.size()), 2, grid);
    for (int row = 0; row < table->rows(); ++row) {
        const Heading& heading = headings[static_cast<std::size_t>(row)];
        QTextCharFormat chars;
        chars.setFontWeight(heading.level == 1 ? QFont::Bold : QFont::Normal);
        QTextBlockFormat name;
        name.setLeftMargin(heading.level == 1 ? 0 : 24);
        name.setTopMargin(heading.level == 1 ? 6 : 0);
        QTextCursor cell = table->cellAt(row, 0).firstCursorPosition();
        cell.setBlockFormat(name);
        cell.insertText(heading.text, chars);
        QTextBlockFormat number;
        number.setAlignment(Qt::AlignRight);
        number.setTopMargin(name.topMargin());
        cell = table->cellAt(row, 1).firstCursorPosition();
        cell.setBlockFormat(number);
        cell.insertText(QString::number(firstBodyPage + heading.bodyPage + 1), chars);
    }
}

void DrawPageNumber(QPainter& painter, const QRectF& text, qreal footTop, int number, const QFont& font) {
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF foot(text.left(), footTop, text.width(), MmToPixels(kFootMm) * 0.5);
    painter.drawText(foot, Qt::AlignHCenter | Qt::AlignTop, QString::number(number));
    painter.restore();
}

// Draws every page of document; numbers them on from firstNumber. Returns the next number.
int DrawPages(QPdfWriter& writer, QPainter& painter, QTextDocument& document, const Page& page,
              int firstNumber, const QFont& footFont) {
    const int pages = document.pageCount();
    const qreal height = document.pageSize().height();
    for (int i = 0; i < pages; ++i) {
        if (firstNumber + i > 1) {
            writer.newPage();
        }
        painter.save();
        painter.translate(page.text.left(), page.text.top() - i * height);
        // The layout draws every block that touches the rectangle, and puts page breaks in 1/64
        // pixel steps: a block starting on the lower edge belongs to the next page alone.
        document.drawContents(&painter, QRectF(0, i * height, page.text.width(), height - 0.5));
        painter.restore();
        DrawPageNumber(painter, page.text, page.footTop, firstNumber + i, footFont);
    }
    return firstNumber + pages;
}

// The manual's first level-one heading is its title, taken out of the body.
QString TakeTitle(QString& markdown) {
    const qsizetype end = markdown.indexOf('\n');
    const QString first = markdown.left(end).trimmed();
    if (!first.startsWith("# ")) {
        return QString();
    }
    markdown.remove(0, end + 1);
    return first.mid(2).trimmed();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s MANUAL.md OUTPUT.pdf PICTURE_FOLDER FONT_FILE CONTENTS_CAPTION\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QString markdown = QString::fromUtf8(source.readAll());
    const QString title = TakeTitle(markdown);
    const int fontId = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[4]));
    if (fontId < 0) {
        std::fprintf(stderr, "cannot load the font %s\n", argv[4]);
        return 1;
    }
    QFont font(QFontDatabase::applicationFontFamilies(fontId).value(0), kBodyPoints);
    // Ligatures would reach a text search as single symbols.
    font.setStyleStrategy(QFont::PreferNoShaping);

    const QString output = QString::fromLocal8Bit(argv[2]);
    QPdfWriter writer(output + ".part");
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(title);
    writer.setCreator("Quorvel");
    const Page page = PageGeometry(writer);

    QTextDocument body;
    Prepare(body, writer, font, page.text);
    body.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (!FitPictures(body, QString::fromLocal8Bit(argv[3]), page.text.width())) {
        return 1;
    }
    StyleTables(body);
    StyleBlocks(body);
    // Each break moves what follows it, which may then need a break of its own.
    while (KeepParagraphsWhole(body) | KeepHeadingsWithText(body)) {
    }
    body.pageCount();
    const std::vector<Heading> headings = Headings(body);

    // The contents' own length decides where the body starts; the numbers don't change it.
    QTextDocument contents;
    Prepare(contents, writer, font, page.text);
    WriteContents(contents, title, QString::fromUtf8(argv[5]), headings, 0);
    WriteContents(contents, title, QString::fromUtf8(argv[5]), headings, contents.pageCount());

    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    QFont footFont = font;
    footFont.setPointSizeF(9);
    const int next = DrawPages(writer, painter, contents, page, 1, footFont);
    DrawPages(writer, painter, body, page, next, footFont);
    painter.end();
    QFile::remove(output);
    if (!QFile::rename(output + ".part", output)) {
        std::fprintf(stderr, "cannot put %s in place\n", qPrintable(output));
        return 1;
    }
    return 0;
}
