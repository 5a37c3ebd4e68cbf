// SPDX-License-Identifier: GPL-3.0-or-later
// A notes file: loaded, a note read and changed, and saved.
#include "events/notesfile.h"
#include "fuzzsupport.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FixNow();
  fuzz::MemoryFiles files;
  files.files[std::string(CNotesFile::kFileName)] = fuzz::Copy(data, size);
  fuzz::CountingSink sink;
  CNotesFile notes(files, sink);
  const CDateTime today(2024, 3, 10, 0, 0, 0);
  notes.SetNote(today, notes.GetNote(today) + "!");
  notes.Save();
  return 0;
}
