// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/clock/changemarks.h"
#include "ui/clock/clockactions.h"
#include "ui/clock/clocklayout.h"

class QMenu;
class QTimer;
class QToolBar;
class QKeyEvent;

namespace zw {

class CClockSettings;
class CLocationDB;
class ISettingsStore;

// What the clock window works with; all of it outlives the window.
struct ClockServices {
  CClockSettings& settings;
  ISettingsStore& store;
  CLocationDB& db;
};

// The program's one top-level window: each clock-list location's name with its date and time
// below it, drawn character by character in fixed cells. The clock ticks on each whole second
// of the wall clock (each minute when seconds are hidden), repainting only the characters
// that changed.
class CClockWnd : public QWidget {
  Q_OBJECT

 public:
  // How long a move rests before it is saved and the dialogs beside the clock follow it.
  static constexpr int kSettleMs = 250;
  static constexpr int kEdgeBand = 20;
  static constexpr int kToolbarMinContent = 186;

  // Chooses a colour; nothing when the chooser is cancelled.
  using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;

  // Restores the clock list from the settings.
  explicit CClockWnd(ClockServices services, QWidget* parent = nullptr);
  ~CClockWnd() override;

  // The program's commands; the dialogs of other parts of the program connect to them.
  const ClockActions& Actions() const { return m_actions; }
  // Takes the line at `index` off the clock; nothing when there is none.
  void RemoveFromClock(std::size_t index);

  // After the clock list, the formats, the fonts or the colours change.
  void RequestRelayout();
  // Recreates the fonts from the settings record.
  void ReloadFonts();
  // One second passed: new texts, repaint of the characters that changed.
  void Tick();
  // A fresh popup menu, as the right mouse button shows it.
  std::unique_ptr<QMenu> BuildPopupMenu();
  // Adds the popup menu's entries to `menu`; its submenus become the menu's children.
  void FillPopupMenu(QMenu& menu);
  // When on, closing the window only hides it (the program stays in the tray); Exit still
  // closes it.
  void SetHideOnClose(bool on) { m_hideOnClose = on; }
  // Brings the window back: shown, restored, raised and active.
  void Present();
  void SaveSettings();
  // After the formats change: every line's texts anew, then a full layout and repaint.
  void RefreshTexts();
  // While a dialog holds changes the user has not confirmed, the clock's own saves (after an
  // auto resize or a move) wait, so they cannot write those changes behind the user's back;
  // ResumeSaves makes the one that was put off. SaveSettings itself always writes.
  void PauseSaves();
  void ResumeSaves();

  void SetColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

  // For tests: what the last tick invalidated and whether a full layout is pending.
  const std::vector<QRect>& LastInvalidated() const { return m_lastInvalidated; }
  bool RelayoutPending() const { return m_relayout; }
  const ClockMetrics& Metrics() const { return m_metrics; }
  int HeldLine() const { return m_held; }
  const ClockFace& Face() const { return m_face; }
  int SelectedLine() const { return m_selected; }
  // The lines whose new reading was last announced to assistive technology.
  const std::vector<int>& LastAnnounced() const { return m_lastAnnounced; }
  // Whether assistive technology listens; QAccessible::isActive unless a test says otherwise.
  void SetListening(bool (*listening)()) { m_listening = listening; }
  // Milliseconds until the next tick, or -1 when none is armed.
  int NextTickInMs() const;
  // The time and texts a clock line shows, as of the last tick or layout; nullptr while the
  // line has none yet for the place it now holds.
  const PlaceTime* LineTime(std::size_t line) const;

  // Marks the lines whose place changes its offset within the coming week.
  void SetMarkChanges(bool on);
  bool MarksChanges() const { return m_markChanges; }
  CChangeMarks::Mark MarkOf(std::size_t line) const;
  // How a screen reader reads a line: "Tokyo, 9:41 PM, Wednesday 9 December".
  QString SpokenText(std::size_t line) const;
  // The line's frame in client pixels; empty when there is no such line.
  QRect LineRect(std::size_t line) const;

 signals:
  // The window moved: dialogs placed beside it should be placed anew.
  void moved();
  // Help Topics, F1.
  void helpRequested();
  // The clock was closed, not just hidden: the program ends.
  void closed();
  // A second has passed and the clock's texts are new; open dialogs that show live times
  // follow it.
  void ticked();

 protected:
  // A line's tooltip tells when that place's clocks next change.
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // The Menu key arrives as a keyboard context menu; Shift+F10 is made into one here.
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  enum class Drag { kIdle, kMoving, kHolding };

  void BuildToolbar();
  void ConnectActions();
  void ShowPopupBesideToolbar();
  void ApplyWindowFlags();
  void WatchWallClock();
  void ArmTimer();
  void OnTimer();
  void SettleMove();
  void Layout();
  // Every line's time anew at `now`.
  void UpdateTimes(const CDateTime& now);
  // Times for lines the clock list gained or reordered since the last tick.
  void SyncTimes();
  ClockMetrics MeasureFonts() const;
  int ToolbarMinContent() const;
  ClockArea Area() const;
  QFont NameFont() const;
  QFont DigitFont() const;
  void PaintLine(QPainter& painter, std::size_t line, const QRect& limit) const;
  void PaintMark(QPainter& painter, std::size_t line) const;
  static int MarkSide(int digitHeight);
  void RefreshMarks(const CDateTime& now);
  void Announce();
  QPoint KeyboardMenuPoint() const;
  void ShowPopupAt(const QPoint& globalPos);
  void ShowAbout();
  int LineAt(const QPoint& pos) const;
  void EndDrag();
  std::optional<std::array<int, 4>> RectForSettings() const;
  void SaveOwnSettings();

  ClockServices m_s;
  ClockActions m_actions;
  QToolBar* m_toolbar = nullptr;
  QTimer* m_timer = nullptr;
  QTimer* m_settle = nullptr;
  std::optional<QFont> m_nameFont;
  std::optional<QFont> m_digitFont;
  ClockMetrics m_metrics;
  ClockFace m_face;
  CChangeMarks m_marks;
  bool m_markChanges = true;
  // The clock list's places keep no display state; their lines' times live here, each with
  // the place it was computed for.
  struct ShownTime {
    const CLocation* place = nullptr;
    PlaceTime time;
  };
  std::vector<ShownTime> m_times;
  // The line drawn framed: the one held for a drag or whose colour is being chosen.
  int m_selected = -1;
  bool m_relayout = true;
  bool m_dirty = true;
  bool m_laying = false;
  bool m_savesPaused = false;
  bool m_saveOwed = false;
  bool m_hideOnClose = false;
  bool m_exiting = false;
  std::int64_t m_lastSecond = -1;
  std::vector<QRect> m_lastInvalidated;
  std::vector<int> m_lastAnnounced;
  bool (*m_listening)() = &QAccessible::isActive;
  ColorChooser m_chooseColor;

  Drag m_drag = Drag::kIdle;
  int m_held = -1;
  int m_dropIndex = -1;
  QPoint m_moveOffset;
};

}  // namespace zw
