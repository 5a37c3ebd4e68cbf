#include "support/faultyfilelayer.h"

namespace zw::test {

FileCause FaultyFileLayer::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (++m_writes == m_failWrite) {
    // A failing disk leaves a partial file behind, which the caller must clean up.
    m_real.Write(path, bytes.first(bytes.size() / 2));
    return m_writeCause;
  }
  return m_real.Write(path, bytes);
}

FileCause FaultyFileLayer::Rename(const std::string& from, const std::string& to) {
  if (++m_renames == m_failRename) {
    return m_renameCause;
  }
  return m_real.Rename(from, to);
}

}  // namespace zw::test
