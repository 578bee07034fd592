// The compiled-in resources: glyph bitmaps, the application icon and the help document.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "app/control_ids.h"
#include "app/resource_files.h"
#include "chapter/chapter.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"

using namespace qorv::app;

namespace {

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QString HelpDocument() {
  return QString::fromUtf8(ReadResource(kHelpDocumentPath));
}

bool IsTransparent(const QImage& image, int x, int y) {
  return qAlpha(image.pixel(x, y)) == 0;
}

}  // namespace

class ResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  void GlyphIsASixteenColourBitmapOfItsSize_data();
  void GlyphIsASixteenColourBitmapOfItsSize();
  void DisabledGlyphIsTheSameShapeInGreys_data();
  void DisabledGlyphIsTheSameShapeInGreys();
  void OptionsGlyphsPointOppositeWays();
  void UnknownGlyphIdsGiveNothing();
  void ApplicationIconHasItsThreeSizes();
  void HelpDocumentHasEveryTopic();
  void HelpDocumentNamesTheControlsAndFiles();
  void HelpExampleChapterLoads();
};

void ResourcesTest::GlyphIsASixteenColourBitmapOfItsSize_data() {
  QTest::addColumn<int>("id");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::newRow("Generate Next") << kGlyphGenerateNext << 14 << 15;
  QTest::newRow("Store Name") << kGlyphStoreName << 15 << 15;
  QTest::newRow("Store page") << kGlyphStorePage << 15 << 15;
  QTest::newRow("Clear Store") << kGlyphClearStore << 12 << 15;
  QTest::newRow("View Store") << kGlyphViewStore << 13 << 15;
  QTest::newRow("Help") << kGlyphHelp << 11 << 14;
  QTest::newRow("Options hidden") << kGlyphOptionsHidden << 10 << 12;
  QTest::newRow("Options shown") << kGlyphOptionsShown << 10 << 12;
  QTest::newRow("View Log") << kGlyphViewLog << 16 << 16;
  QTest::newRow("Generate Next disabled") << kGlyphGenerateNextDisabled << 14 << 15;
  QTest::newRow("Store Name disabled") << kGlyphStoreNameDisabled << 15 << 15;
  QTest::newRow("Store page disabled") << kGlyphStorePageDisabled << 15 << 15;
}

void ResourcesTest::GlyphIsASixteenColourBitmapOfItsSize() {
  QFETCH(int, id);
  QFETCH(int, width);
  QFETCH(int, height);

  QVERIFY(IsGlyphId(id));
  const QString path = GlyphResourcePath(id);
  QCOMPARE(path, QStringLiteral(":/glyphs/glyph_%1.bmp").arg(id));

  // The file itself: a BMP of 4 bits per pixel (the bit count is the 16-bit field at 28).
  const QByteArray bytes = ReadResource(path);
  QVERIFY(bytes.size() > 30);
  QCOMPARE(bytes.left(2), QByteArray("BM"));
  QCOMPARE(int(uchar(bytes[28])) | (int(uchar(bytes[29])) << 8), 4);

  // Qt reads it as it is.
  QImageReader reader(path);
  QCOMPARE(reader.format(), QByteArray("bmp"));
  const QImage raw = reader.read();
  QVERIFY2(!raw.isNull(), qPrintable(reader.errorString()));
  QCOMPARE(raw.size(), QSize(width, height));

  // As the program gets it: the exact size, the magenta background gone.
  const QPixmap glyph = GlyphBitmap(id);
  QVERIFY(!glyph.isNull());
  QCOMPARE(glyph.size(), QSize(width, height));
  const QImage image = glyph.toImage();
  int transparent = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) == 0) {
        ++transparent;
        QCOMPARE(raw.pixelColor(x, y), QColor(0xFF, 0x00, 0xFF));
      } else {
        QCOMPARE(qAlpha(pixel), 255);
        QCOMPARE(QColor(pixel), raw.pixelColor(x, y));
      }
    }
  }
  QVERIFY(transparent > 0);
  QVERIFY(transparent < width * height);
}

void ResourcesTest::DisabledGlyphIsTheSameShapeInGreys_data() {
  QTest::addColumn<int>("disabled");
  QTest::addColumn<int>("normal");
  QTest::newRow("Generate Next") << kGlyphGenerateNextDisabled << kGlyphGenerateNext;
  QTest::newRow("Store Name") << kGlyphStoreNameDisabled << kGlyphStoreName;
  QTest::newRow("Store page") << kGlyphStorePageDisabled << kGlyphStorePage;
}

void ResourcesTest::DisabledGlyphIsTheSameShapeInGreys() {
  QFETCH(int, disabled);
  QFETCH(int, normal);
  const QImage grey = GlyphBitmap(disabled).toImage();
  const QImage colour = GlyphBitmap(normal).toImage();
  QCOMPARE(grey.size(), colour.size());
  bool differs = false;
  for (int y = 0; y < grey.height(); ++y) {
    for (int x = 0; x < grey.width(); ++x) {
      QCOMPARE(IsTransparent(grey, x, y), IsTransparent(colour, x, y));
      if (IsTransparent(grey, x, y)) continue;
      const QRgb pixel = grey.pixel(x, y);
      QVERIFY2(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel),
               qPrintable(QStringLiteral("pixel %1,%2 is not grey").arg(x).arg(y)));
      differs = differs || pixel != colour.pixel(x, y);
    }
  }
  QVERIFY(differs);
}

void ResourcesTest::OptionsGlyphsPointOppositeWays() {
  const QImage hidden = GlyphBitmap(kGlyphOptionsHidden).toImage();
  const QImage shown = GlyphBitmap(kGlyphOptionsShown).toImage();
  QVERIFY(hidden != shown);
  QCOMPARE(hidden.mirrored(false, true), shown);
}

void ResourcesTest::UnknownGlyphIdsGiveNothing() {
  for (int id : {0, kApplicationIconId, kIdGenerateNext, 149, 159, 163, kClientDialogId, -150}) {
    QVERIFY2(!IsGlyphId(id), qPrintable(QString::number(id)));
    QVERIFY(GlyphResourcePath(id).isEmpty());
    QVERIFY(GlyphBitmap(id).isNull());
  }
}

void ResourcesTest::ApplicationIconHasItsThreeSizes() {
  const QIcon icon = ApplicationIcon();
  QVERIFY(!icon.isNull());
  QList<QSize> sizes = icon.availableSizes();
  std::sort(sizes.begin(), sizes.end(),
            [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
  QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
  for (int size : {16, 32, 48}) {
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    // A rounded tile: the corners are see-through, the middle is not.
    QVERIFY(qAlpha(image.pixel(0, 0)) < 255);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
  }
}

void ResourcesTest::HelpDocumentHasEveryTopic() {
  QTextDocument document;
  document.setHtml(HelpDocument());
  QStringList ids;
  QStringList titles;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 2) continue;
    titles.append(block.text());
    const QStringList anchors = block.begin().fragment().charFormat().anchorNames();
    ids.append(anchors.isEmpty() ? QString() : anchors.first());
  }
  const QStringList expected = {"overview",    "window",     "chapters",   "chapter-format",
                                "own-chapter", "generation", "validation", "automatic-options",
                                "store",       "history",    "log",        "keyboard",
                                "qorv-tool"};
  QCOMPARE(ids, expected);
  for (const QString& title : titles) QVERIFY(!title.trimmed().isEmpty());
}

void ResourcesTest::HelpDocumentNamesTheControlsAndFiles() {
  QTextDocument document;
  document.setHtml(HelpDocument());
  const QString text = document.toPlainText();
  const QStringList names = {"Generate Next",
                             "Store Name",
                             "Clear Store",
                             "View Store",
                             "View Log",
                             "Options",
                             "Help",
                             "Chapter",
                             "Initial Letter",
                             "Structural",
                             "Statistical",
                             "Prefixes",
                             "Suffixes",
                             "Generation",
                             "Validation",
                             "Page Size",
                             "Trailing Line",
                             "Automatic Options",
                             "Browse History",
                             "STORED.txt",
                             "STORED.bak",
                             "!qrv_log.txt",
                             ".qrv",
                             "Pos: ",
                             "No Chapter",
                             "Store cleared",
                             "qorv inspect",
                             "qorv generate",
                             "qorv chapter new",
                             "qorv chapter convert",
                             "F1"};
  for (const QString& name : names) {
    QVERIFY2(text.contains(name), qPrintable(name));
  }
}

// The example in "Writing a Chapter file" is a complete Chapter: the loader takes it as it stands
// (with the CR LF line ends the text asks for).
void ResourcesTest::HelpExampleChapterLoads() {
  const QRegularExpression example(QStringLiteral("<pre id=\"example-chapter\">(.*?)</pre>"),
                                   QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = example.match(HelpDocument());
  QVERIFY(match.hasMatch());
  QString text = match.captured(1);
  text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
  text.replace("\n", "\r\n");
  const QByteArray latin1 = text.toLatin1();
  const std::string bytes(latin1.constData(), static_cast<std::size_t>(latin1.size()));

  const qorv::ChapterTitle listed = qorv::ReadChapterTitle(bytes);
  QCOMPARE(listed.Title, std::string("Harbour Taverns"));
  QCOMPARE(listed.NameCount, 10);

  qorv::PlainChapterClient client;
  qorv::TQorvChapter chapter;
  qorv::LoadChapterFromBytes(chapter, bytes, listed.NameCount, client);
  QVERIFY2(chapter.Loaded == 1, chapter.Message.c_str());
  QCOMPARE(chapter.NameCount, 10);
  QCOMPARE(chapter.Line1, std::string("Inns and alehouses of a busy port"));
  QCOMPARE(chapter.StatGen, std::uint8_t{1});
  QCOMPARE(chapter.Suffix, std::uint8_t{1});
  QCOMPARE(chapter.FitLevel, 1);
  QCOMPARE(chapter.ValLevel, 1);
}

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"
