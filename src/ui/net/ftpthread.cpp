// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/ftpthread.h"

#include <QCoreApplication>

#include "net/ftphost.h"
#include "net/ftpsession.h"
#include "platform/messagesink.h"
#include "ui/net/qtsocketevents.h"

namespace zw {

// The window's side of the conversation: messages to the dialog, and closing.
class CFtpThread::Host final : public IFtpHost {
 public:
  explicit Host(CFtpThread& thread) : m_thread(thread) {}

  void PostToDialog(NetMessage message, int parameter, std::string text) override {
    switch (message) {
      case NetMessage::kReady:
        emit m_thread.ready();
        return;
      case NetMessage::kStatus:
        emit m_thread.status(parameter, text);
        return;
      case NetMessage::kLoggedOn:
        emit m_thread.loggedOn();
        return;
      case NetMessage::kDone:
        emit m_thread.transferDone(parameter == 1);
        return;
      default:
        return;
    }
  }
  void CloseWindow() override { m_thread.quit(); }

 private:
  CFtpThread& m_thread;
};

namespace {

// The socket layer fails on the worker thread; its message boxes belong to the dialog's.
// They are posted, never waited for, so closing the dialog can always end the worker.
class PostedSink final : public IMessageSink {
 public:
  PostedSink(QObject* dialog, IMessageSink& messages) : m_dialog(dialog), m_messages(messages) {}

  void Warn(const std::string& text) override {
    IMessageSink* messages = &m_messages;
    QMetaObject::invokeMethod(
        m_dialog, [messages, text] { messages->Warn(text); }, Qt::QueuedConnection);
  }
  void Inform(const std::string& text) override {
    IMessageSink* messages = &m_messages;
    QMetaObject::invokeMethod(
        m_dialog, [messages, text] { messages->Inform(text); }, Qt::QueuedConnection);
  }
  // Nothing on the worker asks questions.
  bool AskYesNo(const std::string&) override { return false; }

 private:
  QObject* m_dialog;
  IMessageSink& m_messages;
};

}  // namespace

CFtpThread::CFtpThread(QObject* dialog, IMessageSink& messages)
    : m_dialog(dialog), m_messages(messages), m_timeout(CFtpSession::kDefaultTimeout) {}

CFtpThread::~CFtpThread() {
  Close();
}

template <typename Emit>
void CFtpThread::Request(Emit emitRequest) {
  const std::lock_guard lock(m_mutex);
  if (m_taking) {
    emitRequest();
  }
}

void CFtpThread::ClearFiles() {
  Request([this] { emit clearRequested(); });
}

void CFtpThread::AddFile(const std::string& remote, const std::string& local,
                         const std::string& label, bool optional) {
  Request([&] { emit fileAdded(remote, local, label, optional); });
}

void CFtpThread::ConnectTo(const std::string& directory) {
  Request([&] { emit connectRequested(directory); });
}

void CFtpThread::Close() {
  {
    const std::lock_guard lock(m_mutex);
    m_closing = true;
    if (m_events != nullptr) {
      m_events->Stop();
    }
  }
  quit();
  wait();
}

void CFtpThread::run() {
  CQtSocketEvents events;
  PostedSink sink(m_dialog, m_messages);
  Host host(*this);
  CFtpSession window(events, sink, host);
  window.SetTimeout(m_timeout);
  // Lives on this thread, so the dialog's requests are handled here, in the order made.
  QObject receiver;
  connect(
      this, &CFtpThread::clearRequested, &receiver, [&window] { window.Clear(); },
      Qt::QueuedConnection);
  connect(
      this, &CFtpThread::fileAdded, &receiver,
      [&window](const std::string& remote, const std::string& local, const std::string& label,
                bool optional) {
        window.AddRemote(remote);
        window.AddLocal(local);
        window.AddLabel(label);
        if (optional) {
          window.AddOptional(remote);
        }
      },
      Qt::QueuedConnection);
  connect(
      this, &CFtpThread::connectRequested, &receiver,
      [&window](const std::string& directory) { window.Connect(directory); }, Qt::QueuedConnection);
  {
    const std::lock_guard lock(m_mutex);
    if (m_closing) {
      return;
    }
    m_taking = true;
    m_events = &events;
  }
  host.PostToDialog(NetMessage::kReady, 0, {});
  exec();
  const std::lock_guard lock(m_mutex);
  m_taking = false;
  m_events = nullptr;
}

}  // namespace zw
