#include "ui/net/ftpthread.h"

#include <QCoreApplication>

#include "net/ftphost.h"
#include "net/ftpsession.h"
#include "ui/net/netevent.h"
#include "ui/net/qtsocketevents.h"
#include "platform/messagesink.h"

namespace zw {

// The window's side of the conversation: messages to the dialog, and closing.
class CFtpThread::Host final : public IFtpHost {
 public:
  explicit Host(CFtpThread& thread) : m_thread(thread) {}

  void PostToDialog(NetMessage message, int parameter, std::string text) override {
    QCoreApplication::postEvent(m_thread.m_dialog,
                                new CNetEvent(message, parameter, std::move(text)));
  }
  void CloseWindow() override { m_thread.quit(); }

 private:
  CFtpThread& m_thread;
};

// Takes the dialog's messages on the worker thread and hands them to the window.
class CFtpThread::Receiver final : public QObject {
 public:
  explicit Receiver(CFtpSession& window) : m_window(window) {}

  bool event(QEvent* event) override {
    auto* message = dynamic_cast<CNetEvent*>(event);
    if (message == nullptr) {
      return QObject::event(event);
    }
    Deliver(*message);
    return true;
  }

 private:
  void Deliver(const CNetEvent& message) {
    switch (message.Message()) {
      case NetMessage::kClear:
        m_window.Clear();
        return;
      case NetMessage::kAddRemote:
        m_window.AddRemote(message.Text());
        return;
      case NetMessage::kAddLocal:
        m_window.AddLocal(message.Text());
        return;
      case NetMessage::kAddLabel:
        m_window.AddLabel(message.Text());
        return;
      case NetMessage::kConnect:
        m_window.Connect(message.Text());
        return;
      default:
        return;
    }
  }

  CFtpSession& m_window;
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

void CFtpThread::Send(NetMessage message, std::string text) {
  const std::lock_guard lock(m_mutex);
  if (m_receiver == nullptr) {
    return;
  }
  QCoreApplication::postEvent(m_receiver, new CNetEvent(message, 0, std::move(text)));
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
  Receiver receiver(window);
  {
    const std::lock_guard lock(m_mutex);
    if (m_closing) {
      return;
    }
    m_receiver = &receiver;
    m_events = &events;
  }
  host.PostToDialog(NetMessage::kReady, 0, {});
  exec();
  const std::lock_guard lock(m_mutex);
  m_receiver = nullptr;
  m_events = nullptr;
}

}  // namespace zw
