// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/qtmessagesink.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "ui/platform/coretext.h"

namespace zw {

namespace {

QString Caption() {
  return QString::fromUtf8(IMessageSink::kCaption.data(),
                           static_cast<qsizetype>(IMessageSink::kCaption.size()));
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
  QMessageBox::warning(PrepareBox(), Caption(), CoreText(text));
}

void CQtMessageSink::Inform(const std::string& text) {
  QMessageBox::information(PrepareBox(), Caption(), CoreText(text));
}

bool CQtMessageSink::AskYesNo(const std::string& text) {
  // No is the default: Enter must never delete or discard anything.
  return QMessageBox::question(PrepareBox(), Caption(), CoreText(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zw
