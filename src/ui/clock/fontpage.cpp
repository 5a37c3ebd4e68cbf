// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/fontpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include "settings/clocksettings.h"
#include "ui/clock/qtfonts.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

constexpr const char* kSelectText = QT_TRANSLATE_NOOP("zw::CFontPage", "&Select Font...");
constexpr const char* kSpacingLabel = QT_TRANSLATE_NOOP("zw::CFontPage", "Clock Digit S&pacing:");
constexpr const char* kAutoSizeText =
    QT_TRANSLATE_NOOP("zw::CFontPage", "Auto Ad&just Clock Size to Match Font");

}  // namespace

CFontPage::CFontPage(CClockSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
  m_chooseFont = [this](const QFont& initial) -> std::optional<QFont> {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this);
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
  };
  Build();
  Load();
}

void CFontPage::Build() {
  auto* grid = new QGridLayout(this);
  m_names = new QRadioButton(tr("&Names"), this);
  m_digits = new QRadioButton(tr("&Date/Time"), this);
  m_both = new QRadioButton(tr("&Both"), this);
  m_select = new QPushButton(QCoreApplication::translate("zw::CFontPage", kSelectText), this);
  m_select->setAutoDefault(false);
  m_face = new QLabel(this);
  m_face->setTextFormat(Qt::PlainText);
  m_face->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_spacing = new QSlider(Qt::Horizontal, this);
  m_spacing->setRange(kMinSpacing, kMaxSpacing);
  m_spacing->setPageStep(1);
  m_spacing->setTickPosition(QSlider::TicksBelow);
  m_autoSize = new QCheckBox(QCoreApplication::translate("zw::CFontPage", kAutoSizeText), this);
  // The option is not offered to the user; the box only carries the stored value along.
  m_autoSize->setVisible(false);

  grid->addWidget(m_names, 0, 0);
  grid->addWidget(m_digits, 1, 0);
  grid->addWidget(m_both, 2, 0);
  grid->addWidget(m_select, 0, 1);
  grid->addWidget(m_face, 1, 1);
  auto* spacingLabel =
      new QLabel(QCoreApplication::translate("zw::CFontPage", kSpacingLabel), this);
  spacingLabel->setBuddy(m_spacing);
  grid->addWidget(spacingLabel, 3, 0, 1, 2);
  grid->addWidget(m_spacing, 4, 0, 1, 2);
  grid->addWidget(m_autoSize, 5, 0, 1, 2);
  grid->setRowStretch(6, 1);

  connect(m_names, &QRadioButton::clicked, this, [this] { OnTarget(kNames); });
  connect(m_digits, &QRadioButton::clicked, this, [this] { OnTarget(kDigits); });
  connect(m_both, &QRadioButton::clicked, this, [this] { OnTarget(kBoth); });
  connect(m_select, &QPushButton::clicked, this, &CFontPage::OnSelect);
  connect(m_spacing, &QSlider::valueChanged, this, &CFontPage::OnSpacingMoved);
  connect(m_autoSize, &QCheckBox::clicked, this, &CFontPage::OnAutoSize);
}

void CFontPage::Load() {
  const ClockSettings& f = m_settings.Values();
  m_copies = Copies{f.fontTarget, f.autoSize};
  m_names->setChecked(true);
  ShowFace(f.nameFont);
  ShowSpacing(f.digitSpacing);
  m_autoSize->setChecked(m_copies.autoSize);
}

void CFontPage::Store() {
  ClockSettings& f = m_settings.Values();
  f.fontTarget = m_copies.fontTarget;
  f.autoSize = m_copies.autoSize;
  f.digitSpacing = m_spacing->value();
}

void CFontPage::ShowFace(const ClockFont& font) {
  m_face->setText(font.face.empty() ? tr(kSystemFace) : Latin1(font.face));
}

void CFontPage::ShowSpacing(int spacing) {
  // Only the user's moves count as a change of the page.
  const QSignalBlocker quiet(m_spacing);
  m_spacing->setValue(spacing);
}

CFontPage::Target CFontPage::CheckedTarget() const {
  if (m_digits->isChecked()) {
    return kDigits;
  }
  return m_both->isChecked() ? kBoth : kNames;
}

void CFontPage::OnTarget(Target target) {
  m_copies.fontTarget = static_cast<ClockSettings::FontTarget>(target);
  const ClockSettings& f = m_settings.Values();
  ShowFace(target == kDigits ? f.digitFont : f.nameFont);
}

void CFontPage::OnSelect() {
  // The page opens on "Names" whatever the stored target says, so the checked radio, which
  // is what the user sees, decides which font changes.
  const Target target = CheckedTarget();
  ClockSettings& f = m_settings.Values();
  const ClockFont& current = target == kDigits ? f.digitFont : f.nameFont;
  const auto chosen = m_chooseFont(CQtFonts::ToFont(current).value_or(QApplication::font()));
  if (!chosen) {
    return;
  }
  const ClockFont font = CQtFonts::ToClockFont(*chosen);
  if (target != kDigits) {
    f.nameFont = font;
  }
  if (target != kNames) {
    // Cells sized for the old digits would not suit the new ones.
    f.digitFont = font;
    f.digitSpacing = kNormalSpacing;
    ShowSpacing(kNormalSpacing);
  }
  ShowFace(font);
  emit fontChanged();
}

void CFontPage::OnSpacingMoved() {
  emit modified();
}

void CFontPage::OnAutoSize() {
  m_copies.autoSize = m_autoSize->isChecked();
  emit modified();
}

}  // namespace zw
