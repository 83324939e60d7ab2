#pragma once

// Secrets kept in files (a SIM's PIN, the API's token, the webhooks' key, a
// database password), read one way by the settings' check and by the
// programs that use them: a file that anyone but its owner may read, or put
// another secret into, is refused, never used.

#include "Result.h"

#include <QString>

#include <cstddef>

namespace velmora {

// The text of `path` (trimmed) when it is a regular file only its owner may
// read or change, of at most `limit` octets; else why not, naming the file.
// With `truncated` a longer file is not refused: its first `limit` octets
// are given and `*truncated` says so.
Result<QString, QString> ReadSecretFile(const QString& path, std::size_t limit, bool* truncated = nullptr);

// A PostgreSQL store's password: the first line of such a file ("" when
// that line is blank), or why the file is not used.
Result<QString, QString> ReadPasswordFile(const QString& path);

} // namespace velmora
