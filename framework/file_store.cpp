#include "framework/file_store.h"

#include <pthread.h>

#include <csignal>

#include "framework/file_replacement.h"

namespace {

// While it lives, the signals that end a program on request (Ctrl-C, kill, a closed terminal)
// wait: a save takes moments, and one cut short would leave its temporary file behind.
class TerminationDeferred {
public:
    TerminationDeferred()
    {
        sigset_t termination;
        sigemptyset(&termination);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&termination, signal);
        pthread_sigmask(SIG_BLOCK, &termination, &previous);
    }
    ~TerminationDeferred() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }

    TerminationDeferred(const TerminationDeferred&) = delete;
    TerminationDeferred& operator=(const TerminationDeferred&) = delete;

private:
    sigset_t previous;
};

}  // namespace

bool LocalFileStore::WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error)
{
    const TerminationDeferred deferred;
    FileReplacement replacement;
    return replacement.Begin(path, error) && replacement.Write(bytes, error) && replacement.Commit(error);
}
