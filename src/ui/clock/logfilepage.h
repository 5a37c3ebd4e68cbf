// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/widgets/appcontext.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zw {

class CClockSettings;
class CLocation;
class CLocationDB;
class IMessageSink;

// The "Log File" page: whether started programs are logged, where, and in which time basis.
// It edits copies of the log settings, which reach the settings when the sheet applies them.
class CLogFilePage : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CLogFilePage", "Log File");
  static constexpr const char* kRecordText =
      QT_TRANSLATE_NOOP("zw::CLogFilePage", "&Record Started Programs in the Log File");
  static constexpr const char* kGmtBasis =
      QT_TRANSLATE_NOOP("zw::CLogFilePage", "Greenwich Mean Time");
  static constexpr const char* kBasisSeparator = ",  ";
  static constexpr const char* kFileDialogTitle =
      QT_TRANSLATE_NOOP("zw::CLogFilePage", "Specify Log File Name");
  static constexpr const char* kFileFilter =
      QT_TRANSLATE_NOOP("zw::CLogFilePage", "Log Files (*.log)");
  static constexpr int kMaxNameLength = 255;

  // Asks for a log file name, starting at `current`; nothing when cancelled.
  using FileChooser = std::function<std::optional<QString>(const QString& current)>;

  explicit CLogFilePage(const AppContext& context, QWidget* parent = nullptr);

  void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

  // Reads the controls into the copies and the copies into the settings.
  void Store();

  QCheckBox* RecordBox() const { return m_record; }
  QLineEdit* NameField() const { return m_name; }
  QPushButton* BrowseNameButton() const { return m_browseName; }
  QLineEdit* BasisField() const { return m_basis; }
  QPushButton* BrowseBasisButton() const { return m_browseBasis; }
  QPushButton* GmtButton() const { return m_gmt; }

 signals:
  void modified();

 private:
  struct Copies {
    bool option = true;
    std::string fileName;
    int locationIndex = -1;
    std::string locationName;
    std::string locationCountry;
  };

  void Build();
  // Takes copies of the log settings and shows them.
  void Load();
  void Connect();
  const CLocation* BasisLocation() const;
  void ShowBasis();
  void ApplyEnabling();
  void OnRecordClicked();
  void OnBrowseName();
  QString BrowseStart() const;
  void OnBrowseBasis();
  void OnGmt();
  std::optional<QString> AskFileName(const QString& current);

  // Handed on to the location picker.
  AppContext m_context;
  const CLocationDB& m_db;
  CClockSettings& m_settings;
  IMessageSink& m_messages;
  FileChooser m_chooseFile;
  Copies m_copies;
  QCheckBox* m_record = nullptr;
  QLineEdit* m_name = nullptr;
  QPushButton* m_browseName = nullptr;
  QLineEdit* m_basis = nullptr;
  QPushButton* m_browseBasis = nullptr;
  QPushButton* m_gmt = nullptr;
};

}  // namespace zw
