// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clockwnd.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QDate>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QWindow>
#include <string_view>

#include "locations/locationdb.h"
#include "settings/clocksettings.h"
#include "settings/settingsstore.h"
#include "timecore/now.h"
#include "timecore/offsetchange.h"
#include "ui/clock/aboutdlg.h"
#include "ui/clock/clockaccessible.h"
#include "ui/clock/qtfonts.h"
#include "ui/platform/latin1.h"
#include "ui/platform/wallclocknotifier.h"
#include "ui/widgets/mnemonics.h"

namespace zw {

namespace {

QRect ToQRect(const CellRect& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

std::string Padded(const std::string& text, std::size_t width) {
  std::string padded = text.substr(0, width);
  padded.resize(width, ' ');
  return padded;
}

// The cursors of a held line, a gap to drop it into and a window being moved; Qt's own
// shapes stand in when the artwork cannot be loaded.
QCursor LoadCursor(const char* path, Qt::CursorShape fallback) {
  const QPixmap pixmap(QString::fromLatin1(path));
  if (pixmap.isNull()) {
    return QCursor(fallback);
  }
  const QPixmap scaled = pixmap.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QCursor(scaled, scaled.width() / 2, scaled.height() / 2);
}

// The Remove submenu lists at most this many clock lines.
constexpr std::size_t kMaxRemoveEntries = 15;

// Where a window of `size` goes on `screen` without covering `avoid`: below it, else above,
// else to its right, else to its left.
QPoint ClearOf(const QRect& avoid, const QSize& size, const QRect& screen) {
  const int x = std::clamp(avoid.left(), screen.left(),
                           std::max(screen.left(), screen.right() + 1 - size.width()));
  const int y = std::clamp(avoid.top(), screen.top(),
                           std::max(screen.top(), screen.bottom() + 1 - size.height()));
  if (avoid.bottom() + 1 + size.height() <= screen.bottom() + 1) {
    return {x, avoid.bottom() + 1};
  }
  if (avoid.top() - size.height() >= screen.top()) {
    return {x, avoid.top() - size.height()};
  }
  if (avoid.right() + 1 + size.width() <= screen.right() + 1) {
    return {avoid.right() + 1, y};
  }
  return {std::max(screen.left(), avoid.left() - size.width()), y};
}

// The caption and borders a window manager usually adds around a dialog.
const QSize kFrameAllowance(16, 48);

}  // namespace

CClockWnd::CClockWnd(ClockServices services, QWidget* parent)
    : QWidget(parent), m_s(services), m_actions(ClockActions::Create(this)) {
  setWindowTitle(tr("Zonewright"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/zonewright.svg")));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  InstallClockAccessibility();

  m_s.settings.RestoreClockList(m_s.db);
  m_s.db.SetClockListener([this](CLocationDB::ClockChange change) {
    if (change == CLocationDB::ClockChange::kRepaintNow) {
      RequestRelayout();
    } else {
      m_relayout = true;
      update();
    }
  });
  m_chooseColor = [this](const QColor& initial) -> std::optional<QColor> {
    QColorDialog dialog(initial, this);
    // Centred over the clock it would hide the line whose colour is being chosen.
    if (const QScreen* screen = this->screen()) {
      // A window not shown yet is placed by its client area; its caption and borders are
      // taken to be the clock's, or the usual ones when the clock has none.
      const bool framed = frameGeometry().size() != size();
      const QSize decoration = framed ? frameGeometry().size() - size() : kFrameAllowance;
      const QPoint clientOffset =
          framed ? geometry().topLeft() - frameGeometry().topLeft()
                 : QPoint(decoration.width() / 2, decoration.height() - decoration.width() / 2);
      dialog.move(
          ClearOf(frameGeometry(), dialog.sizeHint() + decoration, screen->availableGeometry()) +
          clientOffset);
    }
    if (dialog.exec() != QDialog::Accepted) {
      return std::nullopt;
    }
    return dialog.selectedColor();
  };

  ReloadFonts();
  BuildToolbar();
  ConnectActions();
  const std::array<int, 4>& r = m_s.settings.Values().windowRect;
  setGeometry(r[0], r[1], std::max(1, r[2] - r[0]), std::max(1, r[3] - r[1]));
  ApplyWindowFlags();

  m_timer = new QTimer(this);
  m_timer->setSingleShot(true);
  // A coarse timer may fire up to 5 per cent late, which on a second is 50 ms of stale digits.
  m_timer->setTimerType(Qt::PreciseTimer);
  connect(m_timer, &QTimer::timeout, this, &CClockWnd::OnTimer);
  m_settle = new QTimer(this);
  m_settle->setSingleShot(true);
  m_settle->setInterval(kSettleMs);
  connect(m_settle, &QTimer::timeout, this, &CClockWnd::SettleMove);
  WatchWallClock();
  Tick();
  ArmTimer();
}

CClockWnd::~CClockWnd() {
  m_s.db.SetClockListener({});
}

void CClockWnd::BuildToolbar() {
  m_toolbar = new QToolBar(this);
  m_toolbar->setIconSize(QSize(16, 15));
  m_toolbar->setMovable(false);
  m_toolbar->setFloatable(false);
  m_toolbar->addActions({m_actions.addChange, m_actions.compareTimes, m_actions.browseSchedule});
  m_toolbar->addSeparator();
  m_toolbar->addActions({m_actions.currency, m_actions.measurement});
  m_toolbar->addSeparator();
  m_toolbar->addAction(m_actions.updateDatabase);
  m_toolbar->addSeparator();
  m_toolbar->addAction(m_actions.popupMenu);
}

void CClockWnd::ConnectActions() {
  ClockSettings& f = m_s.settings.Values();
  connect(m_actions.showTitlebar, &QAction::triggered, this, [this, &f] {
    f.showTitlebar = !f.showTitlebar;
    ApplyWindowFlags();
  });
  connect(m_actions.keepOnTop, &QAction::triggered, this, [this, &f] {
    f.keepOnTop = !f.keepOnTop;
    ApplyWindowFlags();
  });
  connect(m_actions.showToolbar, &QAction::triggered, this, [this, &f] {
    f.showToolbar = !f.showToolbar;
    RequestRelayout();
  });
  connect(m_actions.minimize, &QAction::triggered, this, &QWidget::showMinimized);
  connect(
      m_actions.exit, &QAction::triggered, this,
      [this] {
        m_exiting = true;
        close();
      },
      Qt::QueuedConnection);
  connect(m_actions.about, &QAction::triggered, this, &CClockWnd::ShowAbout);
  connect(m_actions.helpTopics, &QAction::triggered, this, &CClockWnd::helpRequested);
  connect(m_actions.popupMenu, &QAction::triggered, this, &CClockWnd::ShowPopupBesideToolbar);
}

void CClockWnd::ApplyWindowFlags() {
  const bool visible = isVisible();
  Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  if (!m_s.settings.Values().showTitlebar) {
    flags |= Qt::FramelessWindowHint;
  }
  if (m_s.settings.Values().keepOnTop) {
    flags |= Qt::WindowStaysOnTopHint;
  }
  if (flags == windowFlags()) {
    return;
  }
  const QRect keep = geometry();
  setWindowFlags(flags);
  setGeometry(keep);
  if (visible) {
    show();
  }
}

void CClockWnd::ReloadFonts() {
  m_nameFont = CQtFonts::ToFont(m_s.settings.Values().nameFont);
  m_digitFont = CQtFonts::ToFont(m_s.settings.Values().digitFont);
}

QFont CClockWnd::NameFont() const {
  return m_nameFont.value_or(QApplication::font());
}
QFont CClockWnd::DigitFont() const {
  return m_digitFont.value_or(QApplication::font());
}

ClockMetrics CClockWnd::MeasureFonts() const {
  const QFontMetrics name(NameFont());
  const QFontMetrics digit(DigitFont());
  ClockMetrics m;
  m.nameHeight = name.height();
  m.nameAverageWidth = name.averageCharWidth();
  m.digitHeight = digit.height();
  m.digitAverageWidth = digit.averageCharWidth();
  // The widest glyph of a whole modern font is far wider than anything the clock draws; the
  // widest character a date or time can hold gives the cell width the layout rules expect.
  int widest = 0;
  for (const char c : std::string_view("0123456789/-.: APM")) {
    widest = std::max(widest, digit.horizontalAdvance(QLatin1Char(c)));
  }
  m.digitMaxWidth = widest;
  m.digitItalic = DigitFont().italic();
  m.digitSpacing = std::clamp(m_s.settings.Values().digitSpacing, 0, 20);
  // Room is made only while a mark shows, so the clock keeps its size the rest of the year.
  if (m_markChanges && m_marks.Any()) {
    m.markWidth = MarkSide(m.digitHeight) + MarkSide(m.digitHeight) / 2;
  }
  return m;
}

ClockArea CClockWnd::Area() const {
  const bool toolbar = m_s.settings.Values().showToolbar;
  const int offset = toolbar ? m_toolbar->sizeHint().height() : 0;
  return ClockArea{0, offset, width(), height()};
}

void CClockWnd::RequestRelayout() {
  m_relayout = true;
  Layout();
  update();
}

void CClockWnd::Layout() {
  if (m_laying) {
    return;
  }
  m_laying = true;
  const bool toolbar = m_s.settings.Values().showToolbar;
  m_toolbar->setVisible(toolbar);
  if (toolbar) {
    m_toolbar->setGeometry(0, 0, width(), m_toolbar->sizeHint().height());
  }
  m_metrics = MeasureFonts();
  const QFontMetrics nameMetrics(NameFont());
  SyncTimes();
  std::vector<ClockLine> lines;
  for (std::size_t i = 0; i < m_s.db.ClockCount(); ++i) {
    const CLocation* location = m_s.db.ClockAt(i);
    lines.push_back({&m_times[i].time, nameMetrics.horizontalAdvance(Latin1(location->Name()))});
  }
  const ClockSettings& f = m_s.settings.Values();
  CClockLayout::Result result =
      CClockLayout::Layout(lines, m_metrics, Area(), f.displayMode, f.autoSize, isMaximized(),
                           toolbar ? ToolbarMinContent() : 0);
  // The new face keeps what assistive technology was told, so only real changes are announced.
  for (std::size_t i = 0; i < std::min(m_face.lines.size(), result.face.lines.size()); ++i) {
    result.face.lines[i].spoken = std::move(m_face.lines[i].spoken);
  }
  m_face = std::move(result.face);
  if (result.wantedClient) {
    setFixedSize(result.wantedClient->first, result.wantedClient->second);
    if (toolbar) {
      m_toolbar->setGeometry(0, 0, width(), m_toolbar->sizeHint().height());
    }
    // The frames span the client width, which has just changed.
    m_face =
        CClockLayout::Layout(lines, m_metrics, Area(), f.displayMode, false, isMaximized(), 0).face;
    SaveOwnSettings();
  }
  m_relayout = false;
  m_laying = false;
  Announce();
}

int CClockWnd::ToolbarMinContent() const {
  // A narrower clock would fold the last buttons behind an overflow arrow that cannot be seen
  // on the clock's background. The layout adds its right margin to the content width.
  return std::max(kToolbarMinContent, m_toolbar->sizeHint().width() - CClockLayout::kMargin);
}

void CClockWnd::WatchWallClock() {
  auto* wallClock = new CWallClockNotifier(this);
  connect(wallClock, &CWallClockNotifier::Jumped, this, [this] {
    // The pending tick was armed against the old wall clock.
    m_lastSecond = -1;
    OnTimer();
  });
}

int CClockWnd::NextTickInMs() const {
  return m_timer->isActive() ? m_timer->remainingTime() : -1;
}

void CClockWnd::ArmTimer() {
  const std::int64_t period = m_s.settings.Display().showSeconds ? 1000 : 60 * 1000;
  m_timer->start(static_cast<int>(CNow::UntilNextBoundary(CNow::UtcMilliseconds(), period)));
}

void CClockWnd::OnTimer() {
  const std::int64_t second = CDateTime().Seconds();
  if (second != m_lastSecond || m_relayout) {
    m_lastSecond = second;
    Tick();
  }
  ArmTimer();
}

void CClockWnd::SettleMove() {
  if (!m_dirty) {
    return;
  }
  m_dirty = false;
  SaveOwnSettings();
  emit moved();
}

const PlaceTime* CClockWnd::LineTime(std::size_t line) const {
  const bool current = line < m_times.size() && line < m_s.db.ClockCount() &&
                       m_times[line].place == m_s.db.ClockAt(line);
  return current ? &m_times[line].time : nullptr;
}

void CClockWnd::UpdateTimes(const CDateTime& now) {
  const DisplayOptions options = m_s.settings.Display();
  m_times.resize(m_s.db.ClockCount());
  for (std::size_t i = 0; i < m_times.size(); ++i) {
    const CLocation* place = m_s.db.ClockAt(i);
    m_times[i] = ShownTime{place, PlaceTime::Current(*place, now, options)};
  }
}

void CClockWnd::SyncTimes() {
  const CDateTime now;
  const DisplayOptions options = m_s.settings.Display();
  m_times.resize(m_s.db.ClockCount());
  for (std::size_t i = 0; i < m_times.size(); ++i) {
    const CLocation* place = m_s.db.ClockAt(i);
    if (m_times[i].place != place) {
      m_times[i] = ShownTime{place, PlaceTime::Current(*place, now, options)};
    }
  }
}

void CClockWnd::Tick() {
  m_lastInvalidated.clear();
  const CDateTime now;
  UpdateTimes(now);
  bool dateChanged = false;
  std::vector<QRect> cells;
  // Until the next layout the face may hold fewer lines than the clock list.
  bool linesChanged = m_face.lines.size() != m_s.db.ClockCount();
  RefreshMarks(now);
  for (std::size_t i = 0; i < m_times.size() && !linesChanged; ++i) {
    const PlaceTime& shown = m_times[i].time;
    ClockLineFace& d = m_face.lines[i];
    if (Padded(shown.date, ClockLineFace::kDateCells) != d.drawnDate) {
      dateChanged = true;
    }
    const std::string time = Padded(shown.time, ClockLineFace::kTimeCells);
    for (std::size_t k = 0; k < ClockLineFace::kTimeCells; ++k) {
      if (time[k] != d.drawnTime[k]) {
        cells.push_back(ToQRect(d.timeCells[k]));
      }
    }
    // The cells just invalidated show the new characters at the next paint.
    d.drawnTime = time;
  }
  if (dateChanged || linesChanged || m_relayout) {
    // A changed date can change every width, so everything is laid out again.
    RequestRelayout();
    m_lastInvalidated.push_back(rect());
  } else {
    for (const QRect& cell : cells) {
      update(cell);
    }
    m_lastInvalidated = std::move(cells);
    Announce();
  }

  emit ticked();
  SettleMove();
}

void CClockWnd::paintEvent(QPaintEvent* event) {
  if (m_relayout) {
    Layout();
  }
  QPainter painter(this);
  const QRect limit = event->rect();
  painter.fillRect(limit, CQtFonts::ToColor(m_s.settings.Values().backgroundColor));
  const std::size_t count = std::min(m_s.db.ClockCount(), m_face.lines.size());
  for (std::size_t i = 0; i < count; ++i) {
    PaintLine(painter, i, limit);
  }
}

void CClockWnd::PaintLine(QPainter& painter, std::size_t line, const QRect& limit) const {
  const CLocation& location = *m_s.db.ClockAt(line);
  const ClockLineFace& d = m_face.lines[line];
  painter.setPen(CQtFonts::ToColor(m_s.db.ClockColor(location)));

  const QRect nameRect = ToQRect(d.nameRect);
  if (nameRect.intersects(limit)) {
    painter.setFont(NameFont());
    painter.setClipping(false);
    painter.drawText(nameRect.adjusted(0, 0, 40, 0), Qt::AlignLeft | Qt::AlignTop,
                     Latin1(location.Name()));
  }

  painter.setFont(DigitFont());
  const QFontMetrics fm(DigitFont());
  const auto drawCells = [&](const std::string& drawn, const auto& cells, bool inTime) {
    for (std::size_t k = 0; k < drawn.size(); ++k) {
      const char c = drawn[k];
      const QRect cell = ToQRect(cells[k]);
      if (c == ' ' || !cell.intersects(limit)) {
        continue;
      }
      const QString glyph = Latin1(std::string(1, c));
      const int centre = CClockLayout::CharacterCentre(cells[k], c, inTime, m_metrics);
      painter.setClipRect(cell);
      painter.drawText(centre - fm.horizontalAdvance(glyph) / 2, cell.top() + fm.ascent(), glyph);
    }
  };
  drawCells(d.drawnDate, d.dateCells, false);
  drawCells(d.drawnTime, d.timeCells, true);
  painter.setClipping(false);
  PaintMark(painter, line);

  if (static_cast<int>(line) == m_selected) {
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(d.frameRect));
  }
}

void CClockWnd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_relayout = true;
}

void CClockWnd::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  m_dirty = true;
  // The clock may tick only once a minute; a move is saved and followed by the dialogs
  // beside it as soon as it comes to rest.
  m_settle->start();
}

void CClockWnd::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The clock sizes itself to its lines; a window manager that maximises it anyway (a
  // double-click on the caption, a keyboard shortcut) gets it back at once.
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
    QMetaObject::invokeMethod(
        this, [this] { setWindowState(windowState() & ~Qt::WindowMaximized); },
        Qt::QueuedConnection);
  }
}

void CClockWnd::closeEvent(QCloseEvent* event) {
  if (m_hideOnClose && !m_exiting) {
    SaveSettings();
    hide();
    event->ignore();
    return;
  }
  m_timer->stop();
  m_settle->stop();
  SaveSettings();
  QWidget::closeEvent(event);
  emit closed();
}

std::optional<std::array<int, 4>> CClockWnd::RectForSettings() const {
  if (isMinimized()) {
    return std::nullopt;
  }
  // Never the rectangle of a passing maximised or full-screen state.
  const QRect g = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
  return std::array<int, 4>{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void CClockWnd::SaveSettings() {
  m_saveOwed = false;
  m_s.settings.Save(m_s.store, m_s.db, RectForSettings());
}

void CClockWnd::SaveOwnSettings() {
  if (m_savesPaused) {
    m_saveOwed = true;
    return;
  }
  SaveSettings();
}

void CClockWnd::PauseSaves() {
  m_savesPaused = true;
}

void CClockWnd::ResumeSaves() {
  m_savesPaused = false;
  if (m_saveOwed) {
    SaveSettings();
  }
}

void CClockWnd::RefreshTexts() {
  UpdateTimes(CDateTime());
  RequestRelayout();
  // Seconds shown or hidden change the tick from every second to every minute.
  ArmTimer();
}

void CClockWnd::Present() {
  if (isMinimized()) {
    showNormal();
  } else {
    show();
  }
  raise();
  activateWindow();
}

std::unique_ptr<QMenu> CClockWnd::BuildPopupMenu() {
  auto menu = std::make_unique<QMenu>();
  FillPopupMenu(*menu);
  return menu;
}

void CClockWnd::FillPopupMenu(QMenu& target) {
  QMenu* menu = &target;
  QMenu* clock = menu->addMenu(tr("&Clock"));
  clock->addAction(m_actions.addChange);
  QMenu* remove = clock->addMenu(tr("&Remove"));
  QStringList names;
  for (std::size_t i = 0; i < m_s.db.ClockCount() && i < kMaxRemoveEntries; ++i) {
    names << Latin1(m_s.db.ClockAt(i)->Name());
  }
  const QStringList texts = WithMnemonics(names);
  for (qsizetype i = 0; i < texts.size(); ++i) {
    QAction* action = remove->addAction(texts[i]);
    const auto line = static_cast<std::size_t>(i);
    connect(action, &QAction::triggered, this, [this, line] { RemoveFromClock(line); });
  }
  QMenu* events = menu->addMenu(tr("&Events"));
  events->addActions({m_actions.setEvents, m_actions.browseSchedule});
  menu->addAction(m_actions.compareTimes);
  menu->addSeparator();
  menu->addActions({m_actions.currency, m_actions.measurement});
  menu->addSeparator();
  QMenu* internet = menu->addMenu(tr("Update via &Internet"));
  internet->addActions({m_actions.updateDatabase, m_actions.synchronizeTime});
  menu->addSeparator();
  QMenu* window = menu->addMenu(tr("&Window"));
  const ClockSettings& f = m_s.settings.Values();
  m_actions.showTitlebar->setChecked(f.showTitlebar);
  m_actions.showToolbar->setChecked(f.showToolbar);
  m_actions.keepOnTop->setChecked(f.keepOnTop);
  window->addActions({m_actions.showTitlebar, m_actions.showToolbar, m_actions.keepOnTop});
  window->addSeparator();
  window->addAction(m_actions.minimize);
  menu->addAction(m_actions.properties);
  menu->addSeparator();
  QMenu* help = menu->addMenu(tr("&Help"));
  help->addActions({m_actions.helpTopics, m_actions.about});
  menu->addSeparator();
  menu->addAction(m_actions.exit);
}

void CClockWnd::ShowPopupAt(const QPoint& globalPos) {
  const std::unique_ptr<QMenu> menu = BuildPopupMenu();
  menu->exec(globalPos);
}

void CClockWnd::contextMenuEvent(QContextMenuEvent* event) {
  // From the keyboard the pointer may be anywhere, even off the clock.
  ShowPopupAt(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(KeyboardMenuPoint())
                                                             : event->globalPos());
}

void CClockWnd::keyPressEvent(QKeyEvent* event) {
  if (QKeySequence(event->keyCombination()) != QKeySequence(Qt::SHIFT | Qt::Key_F10)) {
    QWidget::keyPressEvent(event);
    return;
  }
  const QPoint at = KeyboardMenuPoint();
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at), event->modifiers());
  contextMenuEvent(&menu);
}

QPoint CClockWnd::KeyboardMenuPoint() const {
  const QRect line = LineRect(m_selected >= 0 ? static_cast<std::size_t>(m_selected) : 0);
  return line.isEmpty() ? QPoint(CClockLayout::kMargin, Area().top + CClockLayout::kTopGap)
                        : line.center();
}

void CClockWnd::RemoveFromClock(std::size_t index) {
  if (index >= m_s.db.ClockCount()) {
    return;
  }
  m_s.db.RemoveFromClock(index);
  RequestRelayout();
  SaveSettings();
}

void CClockWnd::ShowAbout() {
  CAboutDlg about(CAboutDlg::InstalledCredits(), this);
  about.exec();
}

void CClockWnd::ShowPopupBesideToolbar() {
  const QRect screen = this->screen() != nullptr ? this->screen()->geometry() : QRect();
  const int x = screen.right() - frameGeometry().right() < 151 ? 20 : width() - 20;
  ShowPopupAt(mapToGlobal(QPoint(x, 40)));
}

bool CClockWnd::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QWidget::event(event);
  }
  auto* help = static_cast<QHelpEvent*>(event);
  const int line = LineAt(help->pos());
  if (line < 0) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  const CLocation& place = *m_s.db.ClockAt(static_cast<std::size_t>(line));
  const std::optional<OffsetChange> change = NextOffsetChange(place.Zone(), CDateTime());
  QToolTip::showText(help->globalPos(),
                     Latin1(place.Name()) + QLatin1Char('\n') +
                         (change ? QString::fromStdString(DescribeOffsetChange(*change))
                                 : tr("No change of offset coming")),
                     this);
  return true;
}

int CClockWnd::LineAt(const QPoint& pos) const {
  return m_face.LineAt(pos.x(), pos.y());
}

void CClockWnd::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || m_drag != Drag::kIdle) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint global = event->globalPosition().toPoint();
  const QRect outer = frameGeometry();
  const bool inBand =
      global.x() < outer.left() + kEdgeBand || global.x() > outer.right() - kEdgeBand ||
      global.y() < outer.top() + kEdgeBand || global.y() > outer.bottom() - kEdgeBand;
  if (inBand) {
    // Without a caption this band is how the clock is moved.
    setCursor(LoadCursor(":/cursors/move.svg", Qt::SizeAllCursor));
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
      unsetCursor();
      return;
    }
    m_drag = Drag::kMoving;
    m_moveOffset = global - frameGeometry().topLeft();
    return;
  }
  m_dropIndex = -1;
  m_held = LineAt(event->position().toPoint());
  if (m_held < 0) {
    return;
  }
  m_drag = Drag::kHolding;
  m_selected = m_held;
  setCursor(LoadCursor(":/cursors/grab.svg", Qt::ClosedHandCursor));
  grabMouse();
  update();
}

void CClockWnd::mouseMoveEvent(QMouseEvent* event) {
  if (m_drag == Drag::kMoving) {
    move(event->globalPosition().toPoint() - m_moveOffset);
    return;
  }
  if (m_drag != Drag::kHolding) {
    return;
  }
  m_dropIndex = CClockLayout::DropIndex(m_face.Frames(), m_held, event->position().toPoint().y(), 0,
                                        height());
  setCursor(m_dropIndex < 0 ? LoadCursor(":/cursors/grab.svg", Qt::ClosedHandCursor)
                            : LoadCursor(":/cursors/insert.svg", Qt::SplitVCursor));
}

void CClockWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    EndDrag();
  }
}

void CClockWnd::EndDrag() {
  const Drag was = m_drag;
  m_drag = Drag::kIdle;
  unsetCursor();
  releaseMouse();
  if (was != Drag::kHolding) {
    return;
  }
  m_selected = -1;
  const int target = CClockLayout::DropTarget(m_held, m_dropIndex);
  if (target >= 0) {
    m_s.db.MoveOnClock(static_cast<std::size_t>(m_held), static_cast<std::size_t>(target));
    m_relayout = true;
  }
  m_held = -1;
  m_dropIndex = -1;
  RequestRelayout();
}

void CClockWnd::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (m_drag == Drag::kHolding) {
    EndDrag();
  }
}

void CClockWnd::mouseDoubleClickEvent(QMouseEvent* event) {
  const int line = LineAt(event->position().toPoint());
  if (line < 0) {
    return;
  }
  const CLocation& location = *m_s.db.ClockAt(static_cast<std::size_t>(line));
  m_selected = line;
  repaint();
  if (const auto chosen = m_chooseColor(CQtFonts::ToColor(m_s.db.ClockColor(location)))) {
    m_s.db.SetClockColor(location, CQtFonts::ToStored(*chosen));
  }
  m_selected = -1;
  update();
}

void CClockWnd::SetMarkChanges(bool on) {
  if (on == m_markChanges) {
    return;
  }
  m_markChanges = on;
  m_marks.Forget();
  RefreshMarks(CDateTime());
  RequestRelayout();
}

CChangeMarks::Mark CClockWnd::MarkOf(std::size_t line) const {
  return m_markChanges ? m_marks.MarkOf(line) : CChangeMarks::Mark::kNone;
}

void CClockWnd::RefreshMarks(const CDateTime& now) {
  if (!m_markChanges) {
    return;
  }
  std::vector<const CLocation*> places;
  for (std::size_t i = 0; i < m_s.db.ClockCount(); ++i) {
    places.push_back(m_s.db.ClockAt(i));
  }
  if (m_marks.Refresh(places, now)) {
    // A mark that comes or goes may change the clock's width.
    m_relayout = true;
  }
}

int CClockWnd::MarkSide(int digitHeight) {
  return std::max(5, digitHeight / 3);
}

void CClockWnd::PaintMark(QPainter& painter, std::size_t line) const {
  const CChangeMarks::Mark mark = MarkOf(line);
  if (mark == CChangeMarks::Mark::kNone) {
    return;
  }
  // Beside the last character drawn: the time's, or the date's when times are hidden.
  const ClockLineFace& d = m_face.lines[line];
  const CellRect* last = nullptr;
  for (const CellRect& cell : d.dateCells) {
    last = cell.right > cell.left ? &cell : last;
  }
  for (const CellRect& cell : d.timeCells) {
    last = cell.right > cell.left ? &cell : last;
  }
  if (last == nullptr) {
    return;
  }
  // A triangle pointing the way the clocks go.
  const int side = MarkSide(m_metrics.digitHeight);
  const double left = last->right + side / 2.0;
  const double middle = (last->top + last->bottom) / 2.0;
  const double tip = mark == CChangeMarks::Mark::kForward ? -side / 2.0 : side / 2.0;
  const QPointF corners[3] = {
      {left, middle - tip}, {left + side, middle - tip}, {left + side / 2.0, middle + tip}};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(corners, 3);
  painter.restore();
}

QRect CClockWnd::LineRect(std::size_t line) const {
  return line < m_face.lines.size() ? ToQRect(m_face.lines[line].frameRect) : QRect();
}

QString CClockWnd::SpokenText(std::size_t line) const {
  if (line >= m_face.lines.size() || line >= m_s.db.ClockCount()) {
    return {};
  }
  const CLocation& place = *m_s.db.ClockAt(line);
  const CDateTime local = place.Zone().ToLocal(CDateTime());
  const QDate date(local.Year(), local.Month(), local.Day());
  QStringList parts{Latin1(place.Name())};
  const QString time = Latin1(m_face.lines[line].drawnTime).trimmed();
  if (!time.isEmpty()) {
    parts << time;
  }
  parts << QLocale().toString(date, tr("dddd d MMMM", "a clock line's date, read aloud"));
  if (MarkOf(line) != CChangeMarks::Mark::kNone) {
    parts << tr("clocks change within a week");
  }
  return parts.join(QStringLiteral(", "));
}

void CClockWnd::Announce() {
  // Building the texts costs a date format per line; nobody hears them while no assistive
  // technology listens.
  m_lastAnnounced.clear();
  if (!m_listening()) {
    return;
  }
  for (std::size_t i = 0; i < m_face.lines.size(); ++i) {
    std::string spoken = SpokenText(i).toStdString();
    if (spoken == m_face.lines[i].spoken) {
      continue;
    }
    m_face.lines[i].spoken = std::move(spoken);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    changed.setChild(static_cast<int>(i));
    QAccessible::updateAccessibility(&changed);
    m_lastAnnounced.push_back(static_cast<int>(i));
  }
}

}  // namespace zw
