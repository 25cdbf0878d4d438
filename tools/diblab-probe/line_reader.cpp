#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace probe {

namespace {

constexpr std::size_t chunkBytes = 64 * 1024;

}  // namespace

LineReader::LineReader(std::istream& in, std::size_t maxBytes)
    : m_input(*in.rdbuf()), m_maxBytes(maxBytes), m_chunk(chunkBytes) {}

bool LineReader::refill() {
    if (m_input.sgetc() == std::char_traits<char>::eof()) {
        return false;
    }
    const std::streamsize ready =
        std::clamp<std::streamsize>(m_input.in_avail(), 1, std::streamsize(m_chunk.size()));
    m_position = 0;
    m_end = std::size_t(m_input.sgetn(m_chunk.data(), ready));
    return m_end > 0;
}

// Grows the gathered line at most to the line limit, so that a line near the limit never holds
// twice its size.
void LineReader::append(const char* start, std::size_t length) {
    const std::size_t needed = m_line.size() + length;
    if (needed > m_line.capacity()) {
        m_line.reserve(std::min(m_maxBytes, std::max(needed, 2 * m_line.capacity())));
    }
    m_line.insert(m_line.end(), start, start + length);
}

bool LineReader::hasReadyInput() const {
    return std::memchr(m_chunk.data() + m_position, '\n', m_end - m_position) != nullptr ||
           m_input.in_avail() > 0;
}

LineReader::Result LineReader::next() {
    // A huge line's storage is not kept for the small lines that usually follow.
    if (m_line.capacity() > chunkBytes) {
        std::vector<char>().swap(m_line);
    }
    m_line.clear();
    bool started = false;
    bool tooLong = false;
    for (;;) {
        if (m_position == m_end && !refill()) {
            break;
        }
        started = true;
        const char* start = m_chunk.data() + m_position;
        const std::size_t available = m_end - m_position;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t length = newline ? std::size_t(newline - start) : available;
        m_position += length + (newline ? 1 : 0);
        tooLong = tooLong || m_line.size() + length > m_maxBytes;
        if (tooLong) {
            std::vector<char>().swap(m_line);
        } else if (newline && m_line.empty()) {
            return {Status::Line, std::string_view(start, length)};
        } else {
            append(start, length);
        }
        if (newline) {
            break;
        }
    }
    if (!started) {
        return {};
    }
    if (tooLong) {
        return {Status::TooLong, {}};
    }
    return {Status::Line, std::string_view(m_line.data(), m_line.size())};
}

}  // namespace probe
