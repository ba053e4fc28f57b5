#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Reads decimal real numbers separated by blanks from a text file, a buffer at a time. Reading
// ends for good at the end of the file or at the first token that is not entirely a finite
// decimal number (optional sign, digits with an optional point, optional exponent).
class NumberReader {
public:
    // A file that cannot be opened reads as empty.
    explicit NumberReader(const std::string& path);
    ~NumberReader();

    NumberReader(const NumberReader&) = delete;
    NumberReader& operator=(const NumberReader&) = delete;

    // The next number; false once reading has ended.
    bool Next(double& value);

private:
    bool Refill();

    std::FILE* file = nullptr;
    std::vector<char> buffer;
    size_t begin = 0;
    size_t end = 0;
    bool atEnd = false;
    bool stopped = false;
};

// True when text is one finite decimal number of the accepted shape; its value in value.
bool ParseDecimalToken(const char* first, const char* last, double& value);
