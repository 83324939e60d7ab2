#pragma once

// Which processes have a device open, found the way proc(5) allows: every
// /proc/PID/fd entry is a link to what that descriptor has open. Root sees
// every process; a normal user only their own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct DeviceHolder {
    int pid = 0;
    std::string name; // /proc/PID/comm; "" when it could not be read
    bool operator==(const DeviceHolder&) const = default;
};

// The process id a /proc entry's name stands for: all digits, no sign, not
// zero. "self", "123a" and "" stand for none.
std::optional<int> ProcessIdOf(std::string_view entry);

// The command name as /proc/PID/comm holds it: the line, its newline dropped.
std::string CommandName(std::string_view commFile);

// Whether two paths reach the same device: the same character device number,
// else the same file. Paths that cannot be looked at are compared as text.
bool SameDevice(const std::string& a, const std::string& b);

// How far a search of /proc goes: so many process entries and so many
// descriptors in all. A machine with more is searched this far.
struct HolderLimits {
    std::size_t processes = 1 << 16;
    std::size_t descriptors = 1 << 20;
};

struct HolderSearch {
    std::vector<DeviceHolder> holders;
    bool complete = true; // every process and descriptor was looked at
};

// The pseudo-terminal number of a device whose real path is /dev/pts/N.
std::optional<int> PtsNumberOf(const std::string& device);

// Every process, in the order of its id, with a descriptor open on `device`
// under `procDir`. Only links into /dev are looked at, so a descriptor on a
// hung network file cannot stall the search. Descriptor `skipFd` of process
// `skipPid` is the caller's own and does not count; with `skipFd` -1 none of
// that process's descriptors do.
//
// The maker of a pseudo-terminal is not in the way of it: socat and ser2net
// hold the master side (/dev/ptmx) of the virtual serial port they make, and
// socat the port (the slave side) as well. A process holding the master of
// /dev/pts/N (its fdinfo's tty-index is N) is left out. Where the kernel
// does not give tty-index, a process holding a master is left out when no
// other process holds the port.
HolderSearch FindDeviceHolders(const std::string& device, const std::string& procDir = "/proc",
                               int skipPid = -1, int skipFd = -1, HolderLimits limits = {});
std::vector<DeviceHolder> DeviceHolders(const std::string& device, const std::string& procDir = "/proc",
                                        int skipPid = -1, int skipFd = -1);

// "held by minicom (pid 812)", several separated by commas; "" for none.
std::string HolderText(const std::vector<DeviceHolder>& holders);

} // namespace velmora
