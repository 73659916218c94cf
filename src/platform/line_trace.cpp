#include "platform/line_trace.h"

#include <charconv>
#include <cstdio>

namespace tarvelon {

namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

int hexValue(char c)
{
    const size_t at = kHex.find(static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The bytes of a quoted text at the start of `text`, and how much of `text` it took; nothing
// when it is not one.
std::optional<std::string> unquote(std::string_view text, size_t* used)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            *used = i + 1;
            return out;
        }
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case 'r': out.push_back('\r'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case '\\': out.push_back('\\'); break;
        case '"': out.push_back('"'); break;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

std::optional<TraceEntry> parseEntry(std::string_view line)
{
    TraceEntry e;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), e.seconds);
    if (ec != std::errc() || e.seconds < 0)
        return std::nullopt;
    std::string_view rest = trimmed(line.substr(static_cast<size_t>(end - line.data())));
    const size_t space = rest.find(' ');
    const std::string_view word = rest.substr(0, space);
    std::string_view value = space == std::string_view::npos ? std::string_view() : trimmed(rest.substr(space));
    size_t used = 0;
    auto quoted = [&]() -> bool {
        const std::optional<std::string> bytes = unquote(value, &used);
        if (!bytes)
            return false;
        e.bytes = *bytes;
        value = trimmed(value.substr(used));
        return true;
    };
    if (word == "close" || word == "lost") {
        e.kind = word == "close" ? TraceEntry::Kind::Close : TraceEntry::Kind::Lost;
        return value.empty() ? std::optional(e) : std::nullopt;
    }
    if (word == "open" || word == ">" || word == "<") {
        e.kind = word == "open" ? TraceEntry::Kind::Open : word == ">" ? TraceEntry::Kind::Sent : TraceEntry::Kind::Received;
        return quoted() && value.empty() ? std::optional(e) : std::nullopt;
    }
    if (word == "open-failed") {
        e.kind = TraceEntry::Kind::OpenFailed;
        if (!quoted())
            return std::nullopt;
        e.note = std::string(value);
        return e;
    }
    return std::nullopt;
}

} // namespace

std::string quoteLineBytes(std::string_view bytes)
{
    std::string out = "\"";
    for (const char c : bytes) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out.push_back(c);
            } else {
                const auto u = static_cast<unsigned char>(c);
                out += "\\x";
                out.push_back(kHex[u >> 4]);
                out.push_back(kHex[u & 0xF]);
            }
        }
    }
    return out + "\"";
}

std::optional<std::vector<TraceEntry>> parseLineTrace(std::string_view text, std::string* error)
{
    std::vector<TraceEntry> entries;
    int number = 0;
    bool first = true;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        const std::string_view line = trimmed(raw);
        // The first line says what the file is, so a wrong file is named as such at once.
        if (first) {
            first = false;
            if (line != kTraceFirstLine) {
                if (error)
                    *error = "line 1 is not \"" + std::string(kTraceFirstLine) + "\": not a line trace";
                return std::nullopt;
            }
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        std::optional<TraceEntry> entry = parseEntry(line);
        if (!entry || (!entries.empty() && entry->seconds < entries.back().seconds)) {
            if (error)
                *error = "line " + std::to_string(number) + " is not an entry of a line trace" +
                         (entry ? " (its time goes back)" : "") + ": " + std::string(line.substr(0, 80));
            return std::nullopt;
        }
        entries.push_back(std::move(*entry));
    }
    if (first) {
        if (error)
            *error = "the file is empty: not a line trace";
        return std::nullopt;
    }
    return entries;
}

LineTrace::LineTrace(Seconds seconds, Write write, const std::vector<std::string>& remarks)
    : seconds_(std::move(seconds)), write_(std::move(write))
{
    std::string head = std::string(kTraceFirstLine) + "\n";
    for (const std::string& remark : remarks)
        head += "# " + remark + "\n";
    write_(head);
}

void LineTrace::line(std::string_view what)
{
    char time[32];
    std::snprintf(time, sizeof time, "%.4f ", seconds_());
    write_(std::string(time) + std::string(what) + "\n");
}

void LineTrace::opened(std::string_view port)
{
    line("open " + quoteLineBytes(port));
}

void LineTrace::openFailed(std::string_view port, std::string_view why)
{
    line("open-failed " + quoteLineBytes(port) + " " + std::string(why));
}

void LineTrace::sent(std::string_view bytes)
{
    for (size_t at = 0; at < bytes.size(); at += kTraceBytesPerLine)
        line("> " + quoteLineBytes(bytes.substr(at, kTraceBytesPerLine)));
}

void LineTrace::received(std::string_view bytes)
{
    for (size_t at = 0; at < bytes.size(); at += kTraceBytesPerLine)
        line("< " + quoteLineBytes(bytes.substr(at, kTraceBytesPerLine)));
}

void LineTrace::lost()
{
    line("lost");
}

void LineTrace::closed()
{
    line("close");
}

bool TracedPort::open()
{
    const bool wasOpen = port_.isOpen();
    const bool opened = port_.open();
    if (trace_ && !wasOpen) {
        if (opened)
            trace_->opened(port_.portName());
        else
            trace_->openFailed(port_.portName(), port_.openFailure());
    }
    lostNoted_ = false;
    return opened;
}

void TracedPort::close()
{
    noteLost();
    const bool wasOpen = port_.isOpen();
    port_.close();
    if (trace_ && wasOpen)
        trace_->closed();
    lostNoted_ = false;
}

bool TracedPort::write(std::string_view bytes)
{
    const bool written = port_.write(bytes);
    if (trace_ && written)
        trace_->sent(bytes);
    return written;
}

int TracedPort::waitingCount()
{
    const int n = port_.waitingCount();
    noteLost();
    return n;
}

std::string TracedPort::readAll()
{
    std::string bytes = port_.readAll();
    if (trace_ && !bytes.empty())
        trace_->received(bytes);
    noteLost();
    return bytes;
}

bool TracedPort::disconnected() const
{
    noteLost();
    return port_.disconnected();
}

void TracedPort::noteLost() const
{
    if (trace_ && !lostNoted_ && port_.disconnected()) {
        lostNoted_ = true;
        trace_->lost();
    }
}

} // namespace tarvelon
