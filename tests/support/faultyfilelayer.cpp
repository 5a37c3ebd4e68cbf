// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/faultyfilelayer.h"

namespace zw::test {

ReadResult FaultyFileLayer::Read(const std::string& path, std::size_t maxBytes) {
  ReadResult result = m_real.Read(path, maxBytes);
  if (++m_reads == m_failRead) {
    // A read that fails part-way has delivered some bytes; callers may use or drop them.
    result.bytes.resize(result.bytes.size() / 2);
    result.stage = m_readStage;
    result.cause = m_readCause;
  }
  return result;
}

FileError FaultyFileLayer::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (++m_writes == m_failWrite) {
    // A failing disk leaves a partial file behind, which the caller must clean up.
    if (m_writeError.stage != FileStage::kOpen) {
      m_real.Write(path, bytes.first(bytes.size() / 2));
    }
    return m_writeError;
  }
  return m_real.Write(path, bytes);
}

FileError FaultyFileLayer::Append(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (++m_writes == m_failWrite) {
    return m_writeError;
  }
  return m_real.Append(path, bytes);
}

FileCause FaultyFileLayer::Rename(const std::string& from, const std::string& to) {
  if (++m_renames == m_failRename) {
    return m_renameCause;
  }
  return m_real.Rename(from, to);
}

}  // namespace zw::test
