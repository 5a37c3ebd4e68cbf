#include "ui/platform/qtmessagesink.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "ui/platform/latin1.h"

namespace zw {

namespace {

QString Caption() {
  return QString::fromUtf8(IMessageSink::kCaption.data(),
                           static_cast<qsizetype>(IMessageSink::kCaption.size()));
}

// Every text is Latin-1, the program's own as well as the data files' names; the few with
// "\r\n" line breaks keep them, which QMessageBox shows as one break.
QString ToQt(const std::string& text) {
  return Latin1(text);
}

}  // namespace

QWidget* CQtMessageSink::PrepareBox() {
  if (m_beforeBox) {
    m_beforeBox();
  }
  // The window in front raised the message: centred over the clock the box would hide the
  // dialog and the field it is about.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    return modal;
  }
  if (QWidget* active = QApplication::activeWindow()) {
    return active;
  }
  return m_parent;
}

void CQtMessageSink::Warn(const std::string& text) {
  QMessageBox::warning(PrepareBox(), Caption(), ToQt(text));
}

void CQtMessageSink::Inform(const std::string& text) {
  QMessageBox::information(PrepareBox(), Caption(), ToQt(text));
}

bool CQtMessageSink::AskYesNo(const std::string& text) {
  // No is the default: Enter must never delete or discard anything.
  return QMessageBox::question(PrepareBox(), Caption(), ToQt(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zw
