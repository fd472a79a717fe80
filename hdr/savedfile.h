#ifndef SAVEDFILE_H
#define SAVEDFILE_H

#include <string>
#include <sys/types.h>

// How every file of the player's is saved: written aside, flushed to the
// disk, renamed over the old one, and the folder flushed too, so that after
// a crash or a power cut the file is either the old one or the new one,
// whole. A file system that does not order a rename after the data (ext4
// without data=ordered, XFS, btrfs) may otherwise bring back an empty file.
class SavedFile {
public:
    // The system calls a save makes. A test swaps them to see their order or
    // to make one of them fail; the game never changes them.
    struct Calls {
        int (*open)(const char* path, int flags, mode_t mode);
        ssize_t (*write)(int descriptor, const void* bytes, size_t count);
        int (*fsync)(int descriptor);
        int (*close)(int descriptor);
        int (*rename)(const char* from, const char* to);
        int (*unlink)(const char* path);
    };

    // Replaces `name` by `bytes`. On any failure before the rename the old
    // file stays as it was, the file aside is removed, one line names the
    // file and why, and the result is false. A folder that cannot be flushed
    // after the rename is named too, but the new file is in place: true.
    static bool Replace(const std::string& name, const std::string& bytes);
    // While a recorded game plays back nothing of the player's may change:
    // Replace then writes nothing and says so (false), without a log line.
    static void WriteNothing(bool nothing);

    // The calls in use, and the system's own.
    static Calls& Use();
    static Calls System();

private:
    static bool WriteAside(const std::string& aside, const std::string& bytes);
    static void FlushFolder(const std::string& name);
};

#endif
