// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zw {

// Menu texts for names the user chose (places, events): an '&' in a name is shown as itself,
// and each text gets a mnemonic no other text of the list (nor `taken`) already has,
// preferring the start of a word. A text left without a free letter gets none.
QStringList WithMnemonics(const QStringList& names, const QString& taken = {});

}  // namespace zw
