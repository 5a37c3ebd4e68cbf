// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/memorystore.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "ui/events/alarmservice.h"
#include "ui/widgets/appcontext.h"
#include "ui/widgets/dialogpositions.h"

namespace zw::test {

// The pieces of a dialog's context a test has of its own; null: the builder's stand-in.
struct ContextPieces {
  CLocationDB* db = nullptr;
  CClockSettings* settings = nullptr;
  ISettingsStore* store = nullptr;
  IFileLayer* files = nullptr;
  IMessageSink* messages = nullptr;
};

// The context a dialog under test works on. The test hands in the pieces it prepares or looks
// at; the builder stands in for the others and owns the alarm service, which acts through
// recording actions, and the dialog positions, which know no clock.
class TestContext {
 public:
  // Every piece handed in must outlive the builder.
  explicit TestContext(ContextPieces pieces = {})
      : m_context{Or(pieces.db, m_db),
                  Or(pieces.settings, m_settings),
                  Or(pieces.store, m_store),
                  Or(pieces.files, m_files),
                  Or(pieces.messages, m_messages),
                  m_alarms,
                  m_positions} {}
  TestContext(const TestContext&) = delete;
  TestContext& operator=(const TestContext&) = delete;

  const AppContext& Context() const { return m_context; }
  // The same context reading and writing its files through `files`.
  AppContext WithFiles(IFileLayer& files) const {
    return {m_context.db,       m_context.settings, m_context.store,    files,
            m_context.messages, m_context.alarms,   m_context.positions};
  }

  CAlarmService& Alarms() { return m_alarms; }
  CEventList& Events() { return m_alarms.Events(); }
  RecordingActions& Actions() { return m_actions; }
  CDialogPositions& Positions() { return m_positions; }

 private:
  template <typename Piece, typename Own>
  static Piece& Or(Piece* given, Own& own) {
    return given != nullptr ? *given : own;
  }

  CLocationDB m_db;
  CClockSettings m_settings;
  MemoryStore m_store;
  CPosixFileLayer m_files;
  RecordingSink m_messages;
  RecordingActions m_actions;
  CDialogPositions m_positions;
  AppContext m_context;
  // Last: it works on the pieces the context has picked.
  CAlarmService m_alarms{m_context.settings, m_context.db, m_context.files, m_context.messages,
                         m_actions};
};

}  // namespace zw::test
