// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/qtsocketevents.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include "net/tcpsocket.h"

namespace zw {

void CQtSocketEvents::DeleteLater::operator()(QObject* object) const {
  if (auto* notifier = qobject_cast<QSocketNotifier*>(object)) {
    notifier->setEnabled(false);
  }
  object->deleteLater();
}

CQtSocketEvents::CQtSocketEvents() : m_dispatcher(QThread::currentThread()->eventDispatcher()) {}

// The maps go first, then the context with every object still waiting for deletion.
CQtSocketEvents::~CQtSocketEvents() = default;

CQtSocketEvents::NotifierPtr CQtSocketEvents::MakeNotifier(CTcpSocket& socket, int fd, bool read) {
  NotifierPtr notifier(
      new QSocketNotifier(fd, read ? QSocketNotifier::Read : QSocketNotifier::Write, &m_context));
  notifier->setEnabled(false);
  CTcpSocket* target = &socket;
  QObject::connect(notifier.get(), &QSocketNotifier::activated, &m_context, [target, read] {
    if (read) {
      target->OnReadable();
    } else {
      target->OnWritable();
    }
  });
  return notifier;
}

void CQtSocketEvents::Watch(CTcpSocket& socket, int fd, bool read, bool write) {
  auto found = m_sockets.find(&socket);
  if (found == m_sockets.end()) {
    if (!read && !write) {
      return;
    }
    found = m_sockets
                .emplace(&socket,
                         Notifiers{MakeNotifier(socket, fd, true), MakeNotifier(socket, fd, false)})
                .first;
  }
  found->second.read->setEnabled(read);
  found->second.write->setEnabled(write);
}

void CQtSocketEvents::Forget(CTcpSocket& socket) {
  m_sockets.erase(&socket);
}

void CQtSocketEvents::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(&m_context, std::move(task), Qt::QueuedConnection);
}

int CQtSocketEvents::StartTimer(std::chrono::milliseconds delay, std::function<void()> task) {
  const int id = ++m_lastTimer;
  std::unique_ptr<QTimer, DeleteLater> timer(new QTimer(&m_context));
  timer->setSingleShot(true);
  QObject::connect(timer.get(), &QTimer::timeout, &m_context, [this, id, task = std::move(task)] {
    // The timer is only marked for deletion here, so this call and its task stay alive.
    StopTimer(id);
    task();
  });
  timer->start(delay);
  m_timers.emplace(id, std::move(timer));
  return id;
}

void CQtSocketEvents::StopTimer(int id) {
  const auto found = m_timers.find(id);
  if (found == m_timers.end()) {
    return;
  }
  found->second->stop();
  m_timers.erase(found);
}

bool CQtSocketEvents::WaitForEvents(std::chrono::milliseconds limit) {
  if (m_stopping) {
    return false;
  }
  // Its expiry is an event of its own, so the wait ends by the limit at the latest.
  QTimer limitReached;
  limitReached.setSingleShot(true);
  limitReached.start(limit);
  m_dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
  return !m_stopping;
}

void CQtSocketEvents::Stop() {
  m_stopping = true;
  m_dispatcher->wakeUp();
}

}  // namespace zw
