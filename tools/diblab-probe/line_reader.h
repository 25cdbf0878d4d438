#pragma once

#include <cstddef>
#include <istream>
#include <string_view>
#include <vector>

namespace probe {

// Reads an input stream line by line, never holding more than `maxBytes` of one line: a longer
// line is passed over to its end and only reported. Reads only what the stream has ready, so a
// line typed at a terminal is answered at once. A failed read of the stream's buffer is passed
// on as the exception it throws (std::ios_base::failure from a file's buffer).
class LineReader {
public:
    enum class Status { Line, TooLong, End };

    struct Result {
        Status status = Status::End;
        // The line without its '\n', valid until the next call; empty unless status is Line.
        std::string_view text;
    };

    LineReader(std::istream& in, std::size_t maxBytes);

    Result next();
    // Whether the next line can be had without waiting: a whole line waits in what has been read,
    // or the stream has more ready.
    bool hasReadyInput() const;

private:
    bool refill();
    void append(const char* start, std::size_t length);

    std::streambuf& m_input;
    std::size_t m_maxBytes;
    std::vector<char> m_chunk;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    // A line that spans chunks, gathered here.
    std::vector<char> m_line;
};

}  // namespace probe
