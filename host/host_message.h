#pragma once
// The messages between the browsers' extension and the native messaging host, as the browsers
// frame them: a 32-bit length in the machine's byte order, then that many bytes of UTF-8 JSON.
// The extension asks for the profile ({"kind":"profile","id":N}); the host answers it, and
// sends {"kind":"fill",...} of its own when the program's "Fill Member ID" runs. Platform-free.
#include <cstddef>
#include <cstdint>

namespace host {

constexpr size_t kFrameHeaderBytes = 4;
// The longest message the host reads; a request is a few dozen bytes.
constexpr uint32_t kMaxRequestBytes = 1024;
// Room for the longest message the host writes, header included: three profile texts of 63
// UTF-16 units, each unit at most 6 bytes as written (a control character as \u00XX).
constexpr size_t kMaxFrameBytes = 4096;
// The longest text a read keeps of one member, decoded: any the host writes.
constexpr size_t kMaxTextBytes = kMaxFrameBytes;

// The length a frame's header announces.
uint32_t FrameLength(const unsigned char (&header)[kFrameHeaderBytes]);

// What a JSON object holds under one name at its top level, as read.
struct JsonField {
    explicit JsonField(const char* fieldName) : name(fieldName) {}

    const char* name;
    bool found = false;
    bool isString = false;   // text holds its decoded bytes
    bool isInteger = false;  // integer holds it (no fraction, no exponent, 18 digits at most)
    int64_t integer = 0;
    char text[kMaxTextBytes] = {};
    size_t textSize = 0;
};

// Reads the bytes as one JSON object (white space around it allowed) and fills the fields
// named. False for anything else: bytes that are no JSON, an array or a scalar at the top,
// nesting deeper than 32, a named member twice, a string of a named member that is longer than
// kMaxTextBytes decoded, or an escape of half a surrogate pair. Never reads past `length`.
bool ReadJsonObject(const char* bytes, size_t length, JsonField* fields, size_t count);

enum class RequestProblem { kNone, kNotJson, kUnknownKind, kNoId };

// A request of the extension. id is kept when the message had one (0 to 2^31-1), also for a
// request that is refused, so that its error answer names it.
struct Request {
    bool hasId;
    int32_t id;
};
RequestProblem ReadRequest(const char* bytes, size_t length, Request& request);
// The answer's text for a refused request.
const char* ProblemText(RequestProblem problem);

// The profile's login data as UTF-8 texts, the password unshifted.
struct LoginTexts {
    const char* member;
    const char* site;
    const char* password;
};

// Whole frames, header included, into out; each returns the frame's size, or 0 (nothing
// usable in out) when the texts are too long for it.
size_t WriteProfileAnswer(int32_t id, const LoginTexts& texts, char (&out)[kMaxFrameBytes]);
size_t WriteFillMessage(const LoginTexts& texts, char (&out)[kMaxFrameBytes]);
// {"kind":"error","id":N,"error":"..."}, without the id where the request had none.
size_t WriteErrorAnswer(const Request& about, const char* error, char (&out)[kMaxFrameBytes]);

}  // namespace host
