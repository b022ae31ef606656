#pragma once

#include <QFile>
#include <QString>

#include <csignal>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

// Takes away the right to add files to a folder while it lives, as a user meets it, even when the tests run as
// root: this thread sets aside its power to override permissions (CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH) until
// the folder is writable again. Files in the folder stay writable.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(path), m_permissions(QFile::permissions(path))
    {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        if (syscall(SYS_capget, &m_header, m_capabilities) == 0) {
            __user_cap_data_struct reduced[2] = {m_capabilities[0], m_capabilities[1]};
            reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
            m_reduced = syscall(SYS_capset, &m_header, reduced) == 0;
        }
    }

    ~ReadOnlyFolder()
    {
        if (m_reduced)
            syscall(SYS_capset, &m_header, m_capabilities);
        QFile::setPermissions(m_path, m_permissions);
    }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_capabilities[2]{};
    bool m_reduced = false;
};

// Lets no file this process writes grow past the given size while it lives, as a full disk does: a write or a
// reservation beyond it fails (EFBIG) instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limited{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }

    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved), std::signal(SIGXFSZ, m_handler); }

private:
    void (*m_handler)(int);
    rlimit m_saved{};
};
