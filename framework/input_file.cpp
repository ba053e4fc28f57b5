#include "framework/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/file_replacement.h"

namespace {

std::string NotRegular(mode_t mode)
{
    return "It is not a regular file: it is " + DescribeFileType(mode) + ".";
}

std::string CannotRead(int error)
{
    return "The file cannot be read: " + std::string(std::strerror(error)) + ".";
}

}  // namespace

InputFile::InputFile() : stream(&buffer) {}

InputFile::~InputFile()
{
    if (buffer.descriptor >= 0)
        close(buffer.descriptor);
}

bool InputFile::Open(const std::string& path, std::string& error)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        error = CannotRead(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = NotRegular(status.st_mode);
        return false;
    }
    // Opened without waiting, and looked at again: the path may have been swapped meanwhile.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        error = CannotRead(errno);
        return false;
    }
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = NotRegular(status.st_mode);
        close(descriptor);
        return false;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    buffer.descriptor = descriptor;
    size = static_cast<uint64_t>(status.st_size);
    return true;
}

InputFile::Buffer::int_type InputFile::Buffer::underflow()
{
    ssize_t got = 0;
    do
        got = read(descriptor, bytes, sizeof bytes);
    while (got < 0 && errno == EINTR);
    if (got <= 0)
        return traits_type::eof();
    setg(bytes, bytes, bytes + got);
    return traits_type::to_int_type(bytes[0]);
}
