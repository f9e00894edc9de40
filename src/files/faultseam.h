#pragma once

#include <functional>
#include <optional>
#include <QString>

// Where the tests make the file operations of this machine fail, on every system alike and
// without a full disk or a failing drive: before each operation of the platform file layer, and
// before the last write of a new file, the hook in place (if any) is asked, and a reason it gives
// fails the operation with that reason, the disk untouched. The program itself never sets a hook.
namespace files::filesystem {

enum class Operation {
    Open,       // a file opened for reading
    Create,     // a new file made for writing
    Write,      // the last of a new file's contents handed to the system
    Sync,       // a file handed to the disk
    Link,       // a second name given to a file
    Replace,    // a file renamed over another
    Remove,     // a name removed
    SyncFolder, // a folder's entries handed to the disk
};

using FaultHook = std::function<std::optional<QString>(Operation operation, const QString& path)>;

// An empty hook removes the one in place.
void setFaultHook(FaultHook hook);

// What the hook in place says of an operation; no value without a hook.
std::optional<QString> injectedFault(Operation operation, const QString& path);

} // namespace files::filesystem
