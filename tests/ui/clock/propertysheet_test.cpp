// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/propertysheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>
#include <cstring>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "ui/clock/clockwnd.h"
#include "ui/clock/colorpage.h"
#include "ui/clock/fontpage.h"
#include "ui/clock/formatpage.h"
#include "ui/clock/logfilepage.h"
#include "ui/clock/qtfonts.h"
#include "ui/widgets/dialogpositions.h"

using namespace zw;

using namespace zw::test;

namespace {

struct Place {
  const char* name;
  const char* country;
  int offset;
};

const std::initializer_list<Place> kWorld = {{"New York", "United States", -5},
                                             {"London", "United Kingdom", 0},
                                             {"San Francisco", "United States", -8}};

// A clock on temporary files, ready to open its properties over.
struct Fixture {
  explicit Fixture(std::initializer_list<Place> places = kWorld) {
    for (const Place& p : places) {
      auto loc = std::make_unique<CLocation>();
      loc->SetName(p.name);
      loc->SetCountry(p.country);
      loc->SetOffset(p.offset);
      db.Insert(std::move(loc));
    }
  }

  CClockWnd& Clock() {
    if (!wnd) {
      wnd = std::make_unique<CClockWnd>(ClockServices{settings, store, db});
      wnd->show();
      QCoreApplication::processEvents();
      wnd->repaint();
    }
    return *wnd;
  }

  std::unique_ptr<CPropertySheet> Sheet() {
    auto sheet = std::make_unique<CPropertySheet>(context.Context(), Clock(), &Clock());
    sheet->show();
    return sheet;
  }

  ClockSettings Stored() {
    CClockSettings reread;
    reread.Load(store);
    return reread.Values();
  }

  CLocation& Line(std::size_t i) const { return *db.ClockAt(i); }
  // What clock line i shows; no texts when it shows none.
  PlaceTime Shown(std::size_t i) {
    const PlaceTime* shown = Clock().LineTime(i);
    return shown != nullptr ? *shown : PlaceTime{};
  }

  // Whether the clock, as drawn now, shows `color` anywhere.
  bool ClockShows(const QColor& color) {
    const QImage image = Clock().grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == color) {
          return true;
        }
      }
    }
    return false;
  }

  test::FakeClock clock{2026, 12, 8, 15, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  CFileSettingsStore store{files, dir.Path() + "/SETTINGS"};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{
      {.db = &db, .settings = &settings, .store = &store, .files = &files, .messages = &messages}};
  std::unique_ptr<CClockWnd> wnd;
};

QFont PixelFont(const char* family, int pixels, QFont::Weight weight, bool italic) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  font.setWeight(weight);
  font.setItalic(italic);
  return font;
}

}  // namespace

class PropertySheetTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnItsFourPagesWithNothingToApply() {
    Fixture f;
    f.settings.Values().fontTarget = ClockSettings::kBothFonts;
    f.settings.Values().digitSpacing = 13;
    auto sheet = f.Sheet();
    QCOMPARE(sheet->windowTitle(), QStringLiteral("Properties"));
    QStringList tabs;
    for (int i = 0; i < sheet->Tabs()->count(); ++i) {
      tabs << sheet->Tabs()->tabText(i);
    }
    QCOMPARE(tabs, (QStringList{"Format", "Color", "Font", "Log File"}));
    QVERIFY(!sheet->ApplyButton()->isEnabled());
    // The font page always opens on the names, whatever was chosen last time.
    CFontPage& font = sheet->FontPage();
    QVERIFY(font.NamesButton()->isChecked());
    QCOMPARE(font.FaceLabel()->text(), QStringLiteral("System"));
    QCOMPARE(font.SpacingSlider()->minimum(), 0);
    QCOMPARE(font.SpacingSlider()->maximum(), 20);
    QCOMPARE(font.SpacingSlider()->value(), 13);
    QVERIFY(font.AutoSizeBox()->isHidden());
    QVERIFY(font.AutoSizeBox()->isChecked());
  }

  void formatRadiosShowTheStoredValues_data() {
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<int>("dateOrder");
    QTest::addColumn<int>("hour24");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QList<int>>("readBack");
    QTest::newRow("date, month first, 12h")
        << 0 << 0 << 0 << "Date MM/DD/YY 12 hour clock" << QList<int>{0, 0, 0};
    QTest::newRow("time, year first, 24h")
        << 1 << 1 << 1 << "Time YY-MM-DD 24 hour clock" << QList<int>{1, 1, 1};
    QTest::newRow("both, day first")
        << 2 << 2 << 0 << "Both DD.MM.YY 12 hour clock" << QList<int>{2, 2, 0};
    QTest::newRow("out of range") << 7 << -3 << 5 << "Both YY-MM-DD 24 hour clock"
                                  << QList<int>{2, 1, 1};
  }

  void formatRadiosShowTheStoredValues() {
    QFETCH(int, displayMode);
    QFETCH(int, dateOrder);
    QFETCH(int, hour24);
    QFETCH(QString, shown);
    QFETCH(QList<int>, readBack);
    // The values as a stored record holds them, whatever they are.
    CSettingsCodec::Image image = CSettingsCodec::DefaultImage();
    std::memcpy(&image[12], &displayMode, 4);
    std::memcpy(&image[16], &dateOrder, 4);
    std::memcpy(&image[20], &hour24, 4);
    CClockSettings settings;
    settings.Values() = CSettingsCodec::Decode(image);
    const ClockSettings& r = settings.Values();
    CFormatPage page(settings);
    QStringList checked;
    for (QRadioButton* radio : page.findChildren<QRadioButton*>()) {
      if (radio->isChecked()) {
        checked << test::PlainText(radio->text());
      }
    }
    QCOMPARE(checked.join(' '), shown);
    Click(page.LeadingZerosBox());
    page.Store();
    QCOMPARE((QList<int>{r.displayMode, r.dateOrder, r.hour24}), readBack);
    QVERIFY(!r.leadingZeros);
  }

  void timeOnlyAndOkShrinksTheClockToNamesAndTimes() {
    Fixture f;
    const int before = f.Clock().width();
    const int column = f.Clock().Face().lines[0].timeCells[0].left;
    auto sheet = f.Sheet();
    Click(sheet->FormatPage().TimeButton());
    QVERIFY(sheet->ApplyButton()->isEnabled());
    // Nothing reaches the clock before OK or Apply.
    QCOMPARE(f.settings.Values().displayMode, DisplayOptions::kDateAndTime);
    Click(sheet->OkButton());
    QCOMPARE(sheet->result(), int{QDialog::Accepted});
    // The times move left into the room the dates leave, and the clock narrows with them.
    QVERIFY(f.Clock().Face().lines[0].timeCells[0].left < column);
    QVERIFY(f.Clock().width() < before);
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      QCOMPARE(f.Shown(i).date, std::string());
      QCOMPARE(f.Shown(i).time.size(), std::size_t{11});
      const ClockLineFace& d = f.Clock().Face().lines[i];
      QCOMPARE(d.frameRect.bottom, d.timeCells[0].bottom);
    }
    const ClockSettings stored = f.Stored();
    QCOMPARE(stored.displayMode, DisplayOptions::kTimeOnly);
    QCOMPARE(stored.windowRect[2] - stored.windowRect[0], f.Clock().width());
  }

  void twentyFourHoursWithoutSecondsDropTheMarkers() {
    Fixture f;
    auto sheet = f.Sheet();
    CFormatPage& format = sheet->FormatPage();
    Click(format.TwentyFourHourButton());
    Click(format.SecondsBox());
    Click(sheet->ApplyButton());
    QVERIFY(sheet->isVisible());
    QVERIFY(!sheet->ApplyButton()->isEnabled());
    QVERIFY(f.settings.Values().hour24);
    QVERIFY(!f.settings.Values().showSeconds);
    // London is at GMT: 15:00 on the fake clock.
    QCOMPARE(f.Line(0).Name(), std::string("London"));
    QCOMPARE(f.Shown(0).time, std::string("15:00"));
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      const std::string time = f.Shown(i).time;
      QVERIFY(time.find_first_of("APM") == std::string::npos);
    }
  }

  void applyReachesTheClockButNotTheRecord() {
    Fixture f;
    f.Clock();
    QCOMPARE(f.Stored().displayMode, DisplayOptions::kDateAndTime);
    const int before = f.Clock().width();
    auto sheet = f.Sheet();
    Click(sheet->FormatPage().TimeButton());
    sheet->FontPage().SpacingSlider()->setValue(4);
    Click(sheet->ApplyButton());
    QCOMPARE(f.Shown(0).date, std::string());
    QCOMPARE(f.Clock().Metrics().digitSpacing, 4);
    QVERIFY(f.Clock().width() < before);
    // The clock resized itself, yet a restart now would find the old record.
    const ClockSettings stored = f.Stored();
    QCOMPARE(stored.displayMode, DisplayOptions::kDateAndTime);
    QCOMPARE(stored.digitSpacing, 10);
    Click(sheet->OkButton());
    QCOMPARE(f.Stored().displayMode, DisplayOptions::kTimeOnly);
    QCOMPARE(f.Stored().digitSpacing, 4);
  }

  void cancelDropsUnappliedChanges() {
    Fixture f;
    auto sheet = f.Sheet();
    Click(sheet->FormatPage().DateButton());
    sheet->FontPage().SpacingSlider()->setValue(3);
    Click(sheet->LogFilePage().RecordBox());
    Click(sheet->CancelButton());
    QCOMPARE(f.settings.Values().displayMode, DisplayOptions::kDateAndTime);
    QCOMPARE(f.settings.Values().digitSpacing, 10);
    QVERIFY(f.settings.Values().logStarts);
    QVERIFY(!f.Shown(0).time.empty());
  }

  void logFilePageReachesTheSettingsOnApply() {
    Fixture f;
    f.settings.Values().logLocation.name = "London";
    f.settings.Values().logLocation.country = "United Kingdom";
    f.settings.Values().logLocationView = 1;
    auto sheet = f.Sheet();
    CLogFilePage& log = sheet->LogFilePage();
    QCOMPARE(log.BasisField()->text(), QStringLiteral("London,  United Kingdom"));
    Click(log.GmtButton());
    QVERIFY(sheet->ApplyButton()->isEnabled());
    Click(sheet->ApplyButton());
    QCOMPARE(f.settings.Values().logLocationView, -1);
    QCOMPARE(f.settings.Values().logLocation.name, std::string());
  }

  void allTextColourStaysAfterCancel() {
    Fixture f;
    auto sheet = f.Sheet();
    CColorPage& color = sheet->ColorPage();
    QVERIFY(color.BackgroundButton()->isChecked());
    QVERIFY(!color.LineList()->isEnabled());
    QCOMPARE(Items(color.LineList()),
             (QStringList{"<All Text>", "London", "New York", "San Francisco"}));
    f.db.SetClockColor(f.Line(0), 0x0000FF);
    QColor startedAt;
    color.SetColorChooser([&](const QColor& initial) {
      startedAt = initial;
      return std::optional<QColor>(QColor(0, 255, 0));
    });
    Click(color.CharactersButton());
    QVERIFY(color.LineList()->isEnabled());
    QCOMPARE(color.LineList()->currentText(), QStringLiteral("<All Text>"));
    Click(color.SelectButton());
    QCOMPARE(startedAt, QColor(255, 0, 0));
    Click(sheet->CancelButton());
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      QCOMPARE(f.db.ClockColor(f.Line(i)), 0x00FF00u);
    }
    QVERIFY(f.ClockShows(QColor(0, 255, 0)));
  }

  void oneLineColourAndTheBackground() {
    Fixture f;
    auto sheet = f.Sheet();
    CColorPage& color = sheet->ColorPage();
    f.db.SetClockColor(f.Line(1), 0x00FFFF);
    QColor startedAt;
    std::optional<QColor> answer = QColor(0, 0, 255);
    color.SetColorChooser([&](const QColor& initial) {
      startedAt = initial;
      return answer;
    });
    Click(color.CharactersButton());
    color.LineList()->setCurrentIndex(2);
    Click(color.SelectButton());
    QCOMPARE(startedAt, QColor(255, 255, 0));
    QCOMPARE(f.db.ClockColor(f.Line(1)), 0xFF0000u);
    QCOMPARE(f.db.ClockColor(f.Line(0)), 0xFFFFFFu);
    // Picking "Characters" again starts over at "<All Text>".
    Click(color.CharactersButton());
    QCOMPARE(color.LineList()->currentIndex(), 0);

    Click(color.BackgroundButton());
    QVERIFY(!color.LineList()->isEnabled());
    answer = std::nullopt;
    Click(color.SelectButton());
    QCOMPARE(startedAt, QColor(128, 0, 0));
    QCOMPARE(f.settings.Values().backgroundColor, 128u);
    answer = QColor(0, 64, 0);
    Click(color.SelectButton());
    QCOMPARE(f.settings.Values().backgroundColor, 0x004000u);
    QVERIFY(f.ClockShows(QColor(0, 64, 0)));
  }

  void allTextOnAnEmptyClockChangesNothing() {
    Fixture f({{"Tokyo", "Japan", 9}});
    f.Clock();
    f.db.ClearClock();
    auto sheet = f.Sheet();
    CColorPage& color = sheet->ColorPage();
    QColor startedAt;
    color.SetColorChooser([&](const QColor& initial) {
      startedAt = initial;
      return std::optional<QColor>(QColor(1, 2, 3));
    });
    QCOMPARE(Items(color.LineList()), QStringList{"<All Text>"});
    Click(color.CharactersButton());
    Click(color.SelectButton());
    QCOMPARE(startedAt, QColor(255, 255, 255));
  }

  void newDigitFontResetsTheSpacing_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("digits");
    QTest::newRow("names") << int{CFontPage::kNames} << true << false;
    QTest::newRow("date/time") << int{CFontPage::kDigits} << false << true;
    QTest::newRow("both") << int{CFontPage::kBoth} << true << true;
  }

  void newDigitFontResetsTheSpacing() {
    QFETCH(int, target);
    QFETCH(bool, names);
    QFETCH(bool, digits);
    Fixture f;
    f.settings.Values().digitSpacing = 15;
    auto sheet = f.Sheet();
    CFontPage& font = sheet->FontPage();
    QRadioButton* radios[] = {font.NamesButton(), font.DigitsButton(), font.BothButton()};
    Click(radios[target]);
    QCOMPARE(font.FaceLabel()->text(), QStringLiteral("System"));
    const QFont chosen = PixelFont("DejaVu Serif", 21, QFont::Bold, false);
    QFont startedAt;
    font.SetFontChooser([&](const QFont& initial) {
      startedAt = initial;
      return std::optional<QFont>(chosen);
    });
    const int nameHeight = f.Clock().Metrics().nameHeight;
    Click(font.SelectButton());
    QCOMPARE(startedAt, QApplication::font());
    QCOMPARE(font.FaceLabel()->text(), QStringLiteral("DejaVu Serif"));
    const ClockSettings& r = f.settings.Values();
    QCOMPARE(r.nameFont.face.empty(), !names);
    QCOMPARE(r.digitFont.face.empty(), !digits);
    const int spacing = digits ? 10 : 15;
    QCOMPARE(r.digitSpacing, spacing);
    QCOMPARE(font.SpacingSlider()->value(), spacing);
    QCOMPARE(f.Clock().Metrics().digitSpacing, spacing);
    // The clock took the font at once.
    QCOMPARE(f.Clock().Metrics().nameHeight != nameHeight, names);
    // A font choice is not an edit of the page: Cancel keeps it.
    QVERIFY(!sheet->ApplyButton()->isEnabled());
    Click(sheet->CancelButton());
    QCOMPARE(f.settings.Values().digitSpacing, spacing);
    QCOMPARE(r.digitFont.face.empty(), !digits);
  }

  void fontFollowsTheRadioTheUserSees() {
    Fixture f;
    f.settings.Values().fontTarget = ClockSettings::kBothFonts;
    f.settings.Values().digitFont =
        CQtFonts::ToClockFont(PixelFont("DejaVu Sans Mono", 14, QFont::Normal, false));
    auto sheet = f.Sheet();
    CFontPage& font = sheet->FontPage();
    font.SetFontChooser([](const QFont&) {
      return std::optional<QFont>(PixelFont("DejaVu Serif", 18, QFont::Normal, true));
    });
    // The page shows "Names": only the name font changes, though "Both" was stored.
    Click(font.SelectButton());
    QCOMPARE(f.settings.Values().nameFont.face, std::string("DejaVu Serif"));
    QCOMPARE(f.settings.Values().digitFont.face, std::string("DejaVu Sans Mono"));
    Click(font.DigitsButton());
    QCOMPARE(font.FaceLabel()->text(), QStringLiteral("DejaVu Sans Mono"));
    QFont startedAt;
    font.SetFontChooser([&](const QFont& initial) {
      startedAt = initial;
      return std::optional<QFont>();
    });
    Click(font.SelectButton());
    QCOMPARE(startedAt.family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(startedAt.pixelSize(), 14);
    // The hidden option still travels with the page.
    sheet->FontPage().AutoSizeBox()->click();
    QVERIFY(sheet->ApplyButton()->isEnabled());
    Click(sheet->OkButton());
    QCOMPARE(f.Stored().fontTarget, ClockSettings::kDigitFont);
    QVERIFY(!f.Stored().autoSize);
  }

  void chosenFontSurvivesARestart() {
    Fixture f;
    auto sheet = f.Sheet();
    CFontPage& font = sheet->FontPage();
    const QFont names = PixelFont("DejaVu Serif", 17, QFont::Bold, true);
    const QFont digits = PixelFont("DejaVu Sans Mono", 23, QFont::Normal, false);
    font.SetFontChooser([&](const QFont&) { return std::optional<QFont>(names); });
    Click(font.SelectButton());
    Click(font.DigitsButton());
    font.SetFontChooser([&](const QFont&) { return std::optional<QFont>(digits); });
    Click(font.SelectButton());
    Click(sheet->OkButton());

    const ClockSettings stored = f.Stored();
    for (const auto& [record, wanted] :
         {std::pair{stored.nameFont, names}, std::pair{stored.digitFont, digits}}) {
      const std::optional<QFont> restored = CQtFonts::ToFont(record);
      QVERIFY(restored.has_value());
      QCOMPARE(restored->family(), wanted.family());
      QCOMPARE(restored->pixelSize(), wanted.pixelSize());
      QCOMPARE(restored->weight(), wanted.weight());
      QCOMPARE(restored->italic(), wanted.italic());
    }
  }

  void remembersWhereItWasClosed() {
    Fixture f;
    CDialogPositions& positions = f.context.Positions();
    positions.SetClock(&f.Clock());
    QRect closedAt;
    OnNextModal<CPropertySheet>([&](CPropertySheet* sheet) {
      sheet->move(sheet->pos() + QPoint(37, 23));
      closedAt = sheet->geometry();
      sheet->reject();
    });
    CPropertySheet::Run(f.context.Context(), f.Clock());
    QVERIFY(positions.IsRemembered(CDialogPositions::kProperties));
    auto again = f.Sheet();
    QCOMPARE(again->geometry(), closedAt);
  }
};

QTEST_MAIN(PropertySheetTest)
#include "propertysheet_test.moc"
