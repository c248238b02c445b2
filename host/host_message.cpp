#include "host_message.h"

#include <cstring>

namespace host {

namespace {

constexpr int kMaxDepth = 32;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A recursive-descent reader over [at, end): each step moves `at` past what it read and
// answers false on the first byte that does not fit the grammar.
class JsonReader {
public:
    JsonReader(const char* bytes, size_t length) : at_(bytes), end_(bytes + length) {}

    bool ReadTopObject(JsonField* fields, size_t count) {
        SkipBlanks();
        if (!ReadObject(0, fields, count)) return false;
        SkipBlanks();
        return at_ == end_;
    }

private:
    bool More() const { return at_ < end_; }
    bool Next(char c) {
        if (!More() || *at_ != c) return false;
        ++at_;
        return true;
    }
    void SkipBlanks() {
        while (More() && IsBlank(*at_)) ++at_;
    }
    bool Word(const char* word) {
        const size_t size = std::strlen(word);
        if (static_cast<size_t>(end_ - at_) < size || std::memcmp(at_, word, size) != 0) return false;
        at_ += size;
        return true;
    }

    // An object's members; those of the top level named in fields are kept there.
    bool ReadObject(int depth, JsonField* fields, size_t count) {
        if (depth >= kMaxDepth || !Next('{')) return false;
        SkipBlanks();
        if (Next('}')) return true;
        for (;;) {
            char name[32];  // longer names are none of the fields'
            size_t nameSize = 0;
            bool nameFits = true;
            SkipBlanks();
            if (!ReadString(name, sizeof name, &nameSize, &nameFits)) return false;
            SkipBlanks();
            if (!Next(':')) return false;
            SkipBlanks();
            JsonField* field = depth == 0 && nameFits ? FieldNamed(name, nameSize, fields, count) : nullptr;
            if (field && field->found) return false;  // which of two would count is unclear
            if (!ReadValue(depth, field)) return false;
            SkipBlanks();
            if (Next('}')) return true;
            if (!Next(',')) return false;
        }
    }

    bool ReadArray(int depth) {
        if (depth >= kMaxDepth || !Next('[')) return false;
        SkipBlanks();
        if (Next(']')) return true;
        for (;;) {
            SkipBlanks();
            if (!ReadValue(depth, nullptr)) return false;
            SkipBlanks();
            if (Next(']')) return true;
            if (!Next(',')) return false;
        }
    }

    // One value; a named field gets its string or integer.
    bool ReadValue(int depth, JsonField* field) {
        if (!More()) return false;
        if (field) field->found = true;
        switch (*at_) {
        case '{': return ReadObject(depth + 1, nullptr, 0);
        case '[': return ReadArray(depth + 1);
        case '"': {
            size_t size = 0;
            bool fits = true;
            if (!ReadString(field ? field->text : nullptr, kMaxTextBytes, &size, &fits)) return false;
            if (field) field->isString = true, field->textSize = size;
            return fits || !field;
        }
        case 't': return Word("true");
        case 'f': return Word("false");
        case 'n': return Word("null");
        default: return ReadNumber(field);
        }
    }

    bool ReadNumber(JsonField* field) {
        const bool negative = Next('-');
        if (!More() || !IsDigit(*at_)) return false;
        int64_t value = 0;
        int digits = 0;
        if (Next('0')) {
            digits = 1;
        } else {
            for (; More() && IsDigit(*at_); ++at_, ++digits)
                if (digits < 18) value = value * 10 + (*at_ - '0');
        }
        bool whole = digits <= 18;
        if (Next('.')) {
            whole = false;
            if (!More() || !IsDigit(*at_)) return false;
            while (More() && IsDigit(*at_)) ++at_;
        }
        if (More() && (*at_ == 'e' || *at_ == 'E')) {
            whole = false;
            ++at_;
            if (!Next('+')) Next('-');
            if (!More() || !IsDigit(*at_)) return false;
            while (More() && IsDigit(*at_)) ++at_;
        }
        if (field && whole) field->isInteger = true, field->integer = negative ? -value : value;
        return true;
    }

    bool ReadHex4(uint32_t* unit) {
        if (end_ - at_ < 4) return false;
        *unit = 0;
        for (int i = 0; i < 4; ++i, ++at_) {
            const char c = *at_;
            const int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (digit < 0) return false;
            *unit = *unit * 16 + static_cast<uint32_t>(digit);
        }
        return true;
    }

    // The code point of a \u escape, a surrogate pair read whole.
    bool ReadEscapedCodePoint(uint32_t* point) {
        if (!ReadHex4(point)) return false;
        if (*point >= 0xDC00 && *point <= 0xDFFF) return false;
        if (*point < 0xD800 || *point > 0xDBFF) return true;
        uint32_t low = 0;
        if (!Next('\\') || !Next('u') || !ReadHex4(&low) || low < 0xDC00 || low > 0xDFFF) return false;
        *point = 0x10000 + ((*point - 0xD800) << 10) + (low - 0xDC00);
        return true;
    }

    // A string, decoded (UTF-8) into out unless it is null; *fits turns false when the text is
    // longer than capacity, whose first bytes out then holds.
    bool ReadString(char* out, size_t capacity, size_t* size, bool* fits) {
        *size = 0;
        if (!Next('"')) return false;
        auto put = [&](uint32_t byte) {
            if (*size == capacity) {
                *fits = false;
            } else if (out) {
                out[(*size)++] = static_cast<char>(byte);
            } else {
                ++*size;
            }
            return true;
        };
        while (More()) {
            const unsigned char c = static_cast<unsigned char>(*at_++);
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') {
                if (!put(c)) return false;
                continue;
            }
            if (!More()) return false;
            const char escape = *at_++;
            static constexpr char kEscapes[] = "\"\"\\\\//b\bf\fn\nr\rt\t";
            const char* known = nullptr;
            for (const char* e = kEscapes; *e && !known; e += 2)
                if (*e == escape) known = e + 1;
            if (known) {
                if (!put(static_cast<unsigned char>(*known))) return false;
                continue;
            }
            uint32_t point = 0;
            if (escape != 'u' || !ReadEscapedCodePoint(&point)) return false;
            const bool fits = point < 0x80    ? put(point)
                              : point < 0x800 ? put(0xC0 | point >> 6) && put(0x80 | (point & 0x3F))
                              : point < 0x10000
                                  ? put(0xE0 | point >> 12) && put(0x80 | (point >> 6 & 0x3F)) && put(0x80 | (point & 0x3F))
                                  : put(0xF0 | point >> 18) && put(0x80 | (point >> 12 & 0x3F)) &&
                                        put(0x80 | (point >> 6 & 0x3F)) && put(0x80 | (point & 0x3F));
            if (!fits) return false;
        }
        return false;  // no closing quote
    }

    static JsonField* FieldNamed(const char* name, size_t size, JsonField* fields, size_t count) {
        for (size_t i = 0; i < count; ++i)
            if (std::strlen(fields[i].name) == size && std::memcmp(fields[i].name, name, size) == 0) return &fields[i];
        return nullptr;
    }

    const char* at_;
    const char* end_;
};

// Writes a frame into a fixed buffer, its header filled in at the end; any overflow leaves it
// unusable.
class FrameWriter {
public:
    explicit FrameWriter(char (&out)[kMaxFrameBytes]) : out_(out), size_(kFrameHeaderBytes) {}

    FrameWriter& Raw(const char* text) {
        while (*text) Put(*text++);
        return *this;
    }
    FrameWriter& Text(const char* text) {
        static constexpr char kHex[] = "0123456789abcdef";
        Put('"');
        for (; *text; ++text) {
            const unsigned char c = static_cast<unsigned char>(*text);
            if (c == '"' || c == '\\') {
                Put('\\'), Put(static_cast<char>(c));
            } else if (c < 0x20) {
                Raw("\\u00"), Put(kHex[c >> 4]), Put(kHex[c & 0xF]);
            } else {
                Put(static_cast<char>(c));
            }
        }
        Put('"');
        return *this;
    }
    FrameWriter& Number(int32_t value) {
        char digits[12];
        int count = 0;
        uint32_t rest = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        do digits[count++] = static_cast<char>('0' + rest % 10);
        while ((rest /= 10) != 0);
        if (value < 0) Put('-');
        while (count > 0) Put(digits[--count]);
        return *this;
    }
    FrameWriter& Login(const LoginTexts& texts) {
        return Raw(",\"member\":").Text(texts.member).Raw(",\"site\":").Text(texts.site).Raw(",\"password\":").Text(texts.password);
    }

    size_t Finish() {
        if (overflow_) return 0;
        const uint32_t length = static_cast<uint32_t>(size_ - kFrameHeaderBytes);
        std::memcpy(out_, &length, kFrameHeaderBytes);
        return size_;
    }

private:
    void Put(char c) {
        if (size_ == kMaxFrameBytes) {
            overflow_ = true;
            return;
        }
        out_[size_++] = c;
    }

    char* out_;
    size_t size_;
    bool overflow_ = false;
};

}  // namespace

uint32_t FrameLength(const unsigned char (&header)[kFrameHeaderBytes]) {
    uint32_t length = 0;
    std::memcpy(&length, header, kFrameHeaderBytes);
    return length;
}

bool ReadJsonObject(const char* bytes, size_t length, JsonField* fields, size_t count) {
    for (size_t i = 0; i < count; ++i) fields[i] = JsonField(fields[i].name);
    return JsonReader(bytes, length).ReadTopObject(fields, count);
}

RequestProblem ReadRequest(const char* bytes, size_t length, Request& request) {
    JsonField fields[2] = {JsonField("kind"), JsonField("id")};
    request = Request{};
    if (!ReadJsonObject(bytes, length, fields, 2)) return RequestProblem::kNotJson;
    const JsonField& kind = fields[0];
    const JsonField& id = fields[1];
    if (id.isInteger && id.integer >= 0 && id.integer <= INT32_MAX) request = {true, static_cast<int32_t>(id.integer)};
    if (!kind.isString || kind.textSize != 7 || std::memcmp(kind.text, "profile", 7) != 0)
        return RequestProblem::kUnknownKind;
    return request.hasId ? RequestProblem::kNone : RequestProblem::kNoId;
}

const char* ProblemText(RequestProblem problem) {
    switch (problem) {
    case RequestProblem::kNotJson: return "message is not JSON";
    case RequestProblem::kUnknownKind: return "unknown kind";
    case RequestProblem::kNoId: return "request without id";
    case RequestProblem::kNone: break;
    }
    return "";
}

size_t WriteProfileAnswer(int32_t id, const LoginTexts& texts, char (&out)[kMaxFrameBytes]) {
    return FrameWriter(out).Raw("{\"kind\":\"profile\",\"id\":").Number(id).Login(texts).Raw("}").Finish();
}

size_t WriteFillMessage(const LoginTexts& texts, char (&out)[kMaxFrameBytes]) {
    return FrameWriter(out).Raw("{\"kind\":\"fill\"").Login(texts).Raw("}").Finish();
}

size_t WriteErrorAnswer(const Request& about, const char* error, char (&out)[kMaxFrameBytes]) {
    FrameWriter writer(out);
    writer.Raw("{\"kind\":\"error\"");
    if (about.hasId) writer.Raw(",\"id\":").Number(about.id);
    return writer.Raw(",\"error\":").Text(error).Raw("}").Finish();
}

}  // namespace host
