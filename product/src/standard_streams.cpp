#include "product/standard_streams.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <vector>

namespace product {

namespace {

constexpr std::size_t kOutputBufferBytes = 64 * 1024;

// The reason the system gave for the call that just failed.
std::error_code lastSystemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category())
                      : std::make_error_code(std::errc::io_error);
}

}  // namespace

// Standard output's buffer: writes through C's stdout, which every platform opens in the mode
// its text needs, and keeps the reason of the first write that failed. Nothing is written after
// it, so that the output never has a hole in the middle.
class StandardStreams::CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(std::FILE* file) : m_file(file), m_buffer(kOutputBufferBytes) {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }

    const std::error_code& error() const { return m_error; }

protected:
    int_type overflow(int_type c) override {
        if (!writeBuffered()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override {
        if (!writeBuffered()) {
            return -1;
        }
        if (std::fflush(m_file) != 0) {
            m_error = lastSystemError();
            return -1;
        }
        return 0;
    }

private:
    bool writeBuffered() {
        const auto length = std::size_t(pptr() - pbase());
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        if (m_error) {
            return false;
        }
        if (std::fwrite(m_buffer.data(), 1, length, m_file) != length) {
            m_error = lastSystemError();
            return false;
        }
        return true;
    }

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::error_code m_error;
};

std::string failureText(std::string_view program, std::string_view failure,
                        std::string_view reason) {
    return std::string(program) + ": " + std::string(failure) + ": " + std::string(reason) + '\n';
}

StandardStreams::StandardStreams(std::string_view program)
    : m_program(program), m_output(std::make_unique<CheckedOutput>(stdout)) {
    // Unsynchronised, std::cin reads through a buffer that reports a failed read as an
    // exception with its reason; synchronised, it would read as the end of the input.
    std::ios::sync_with_stdio(false);
    std::cin.exceptions(std::ios::badbit);
    m_previousOutput = std::cout.rdbuf(m_output.get());
}

StandardStreams::~StandardStreams() {
    std::cout.flush();
    std::cout.rdbuf(m_previousOutput);
}

int StandardStreams::fail(std::string_view failure, const std::error_code& reason) const {
    std::cerr << failureText(m_program, failure, reason.message());
    return kFailureStatus;
}

int StandardStreams::finish(int status) {
    std::cout.flush();
    if (!m_output->error() && !std::cout.bad()) {
        return status;
    }
    return fail("cannot write standard output",
                m_output->error() ? m_output->error() : std::make_error_code(std::errc::io_error));
}

}  // namespace product
