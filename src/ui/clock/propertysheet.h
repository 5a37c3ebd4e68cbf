// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "ui/widgets/appcontext.h"

class QPushButton;
class QTabWidget;

namespace zw {

class CClockWnd;
class CDialogPositions;
class CFormatPage;
class CFontPage;
class CLogFilePage;
class CDesktopPage;
struct DesktopServices;
class CColorPage;

// The clock's "Properties": formats, colours, fonts, the program start log and, for the
// windowed program, its place on the desktop. Formats and
// options reach the clock on Apply or OK and the record only on OK; colours and fonts are in
// effect as soon as they are chosen, and Cancel leaves them so.
class CPropertySheet : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CPropertySheet", "Properties");

  // clock: the window the sheet works on; it must outlive the sheet. The Desktop page is
  // there when desktop services are given.
  CPropertySheet(const AppContext& context, CClockWnd& clock, QWidget* parent = nullptr,
                 const DesktopServices* desktop = nullptr);
  ~CPropertySheet() override;

  // Opens the sheet modally over the clock and returns when it is closed.
  static void Run(const AppContext& context, CClockWnd& clock,
                  const DesktopServices* desktop = nullptr);

  void accept() override;
  // OK, Cancel, Escape and the window's close button all end here.
  void done(int result) override;

  QTabWidget* Tabs() const { return m_tabs; }
  CFormatPage& FormatPage() const { return *m_format; }
  CColorPage& ColorPage() const { return *m_color; }
  CFontPage& FontPage() const { return *m_font; }
  CLogFilePage& LogFilePage() const { return *m_logFile; }
  // Null without desktop services.
  CDesktopPage* DesktopPage() const { return m_desktop; }
  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }
  QPushButton* ApplyButton() const { return m_apply; }

 private:
  void Build(const AppContext& context, const DesktopServices* desktop);
  void Connect();
  void OnModified();
  void OnApply();
  void OnFontChanged();
  // The pages' copies into the settings, and the clock shown anew with them.
  void StoreAndRefresh();

  CClockWnd& m_clock;
  CDialogPositions& m_positions;
  QTabWidget* m_tabs = nullptr;
  CFormatPage* m_format = nullptr;
  CColorPage* m_color = nullptr;
  CFontPage* m_font = nullptr;
  CLogFilePage* m_logFile = nullptr;
  CDesktopPage* m_desktop = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QPushButton* m_apply = nullptr;
};

}  // namespace zw
