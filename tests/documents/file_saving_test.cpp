// Saving over a file in a folder that takes no new files, where the file is written in place: on file systems that
// cannot reserve room themselves, and on a disk that fails part of the way.

#include "documents/file_saving.h"
#include "support/disk_limits.h"

#include <QtTest>

#include <cerrno>
#include <cstddef>

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/wait.h>

using namespace kururie;

namespace {

constexpr unsigned kFailingFrom = 64 * 1024;

// How the child's system calls fail, as a file system or a disk makes them fail.
struct Faults {
    // No file system call that reserves room (NFS v3, ZFS, many FUSE mounts): the C library then reserves it by
    // writing.
    bool noReservation;
    // Every write that starts 64 KiB or more into a file fails.
    bool failingDisk;
    // Every read fails.
    bool unreadable = false;
};

bool installFaults(Faults faults)
{
    // Each fault's instructions are jumped over when it is not wanted.
    const __u8 reservation = faults.noReservation ? 0 : 1, reads = faults.unreadable ? 0 : 1;
    const __u8 writes = faults.failingDisk ? 0 : 3;
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fallocate, reservation, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_pread64, reads, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_pwrite64, writes, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[3])),
        BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, kFailingFrom, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog filter{static_cast<unsigned short>(std::size(program)), program};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// Saves in a child process of its own, so that the faults end with it: 0 saved, 1 refused, 2 the faults could not
// be set up.
int saveInChild(const QString& folder, const QString& path, const QByteArray& contents, Faults faults)
{
    const pid_t child = fork();
    if (child == 0) {
        ReadOnlyFolder readOnly(folder);
        if (!installFaults(faults))
            _exit(2);
        _exit(saveAtomically(path, [&](QIODevice& file) { return file.write(contents) == contents.size(); }) ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Bytes that differ from their neighbours, so that any of them out of place shows.
QByteArray pattern(int size, char first)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(first + i % 53);
    return bytes;
}

struct InPlace {
    int oldSize;
    int newSize;
    Faults faults;
    bool saved;
};

} // namespace

Q_DECLARE_METATYPE(InPlace)

class FileSavingTest : public QObject {
    Q_OBJECT

private slots:
    void inPlace_data()
    {
        QTest::addColumn<InPlace>("s");
        QTest::newRow("reserved by the file system") << InPlace{10000, 300000, {false, false}, true};
        QTest::newRow("reserved by the C library") << InPlace{10000, 300000, {true, false}, true};
        QTest::newRow("shorter than the old file") << InPlace{300000, 10000, {true, false}, true};
        QTest::newRow("the disk fails part of the way") << InPlace{10000, 300000, {false, true}, false};
        QTest::newRow("the disk fails while the C library reserves") << InPlace{10000, 300000, {true, true}, false};
        QTest::newRow("the old file cannot be read") << InPlace{10000, 300000, {false, false, true}, false};
    }

    // The old bytes stay unless every new one was written.
    void inPlace()
    {
        QFETCH(InPlace, s);
        QTemporaryDir folder;
        const QString path = folder.filePath("star.bmp");
        const QByteArray old = pattern(s.oldSize, 'a'), contents = pattern(s.newSize, 'A');
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(old), old.size());
        file.close();
        QCOMPARE(saveInChild(folder.path(), path, contents, s.faults), s.saved ? 0 : 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), s.saved ? contents : old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList("star.bmp"));
    }
};

QTEST_GUILESS_MAIN(FileSavingTest)
#include "file_saving_test.moc"
