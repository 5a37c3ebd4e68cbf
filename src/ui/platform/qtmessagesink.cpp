#include "ui/platform/qtmessagesink.h"

#include <QMessageBox>
#include <QString>

namespace zw {

namespace {

QString Caption() {
  return QString::fromUtf8(IMessageSink::kCaption.data(),
                           static_cast<qsizetype>(IMessageSink::kCaption.size()));
}

// Texts come from the program and from Latin-1 data files; the few with "\r\n" line breaks
// keep them, which QMessageBox shows as one break.
QString ToQt(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

void CQtMessageSink::Warn(const std::string& text) {
  QMessageBox::warning(m_parent, Caption(), ToQt(text));
}

void CQtMessageSink::Inform(const std::string& text) {
  QMessageBox::information(m_parent, Caption(), ToQt(text));
}

bool CQtMessageSink::AskYesNo(const std::string& text) {
  // No is the default: Enter must never delete or discard anything.
  return QMessageBox::question(m_parent, Caption(), ToQt(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zw
