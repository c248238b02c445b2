// The host's messages. The first byte picks what the rest is: (bit 0 clear) a frame as the
// browser sends it, a 4-byte length and the bytes that follow, of which only the announced
// ones may be read; or (bit 0 set) three texts separated by zero bytes, written as a fill
// message and a profile answer. Every request the host accepts, and every frame it writes,
// reads back as what it says.
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "host/host_message.h"

namespace {

void CheckFrame(const char (&frame)[host::kMaxFrameBytes], size_t size, const char* kind, int32_t id,
                const host::LoginTexts& texts) {
    unsigned char header[host::kFrameHeaderBytes];
    std::memcpy(header, frame, sizeof header);
    FUZZ_CHECK(size == sizeof header + host::FrameLength(header));
    host::JsonField fields[] = {host::JsonField("kind"), host::JsonField("id"), host::JsonField("member"),
                                host::JsonField("site"), host::JsonField("password")};
    FUZZ_CHECK(host::ReadJsonObject(frame + sizeof header, size - sizeof header, fields, 5));
    FUZZ_CHECK(std::string(fields[0].text, fields[0].textSize) == kind);
    FUZZ_CHECK(id < 0 ? !fields[1].found : fields[1].isInteger && fields[1].integer == id);
    const char* expected[] = {texts.member, texts.site, texts.password};
    for (int i = 0; i < 3; ++i) FUZZ_CHECK(std::string(fields[2 + i].text, fields[2 + i].textSize) == expected[i]);
}

void CheckRequest(FuzzInput& input) {
    const uint32_t announced = input.Take32();
    // The announced bytes, or as many as there are: the frame ends at the fuzzer's buffer's
    // end, where AddressSanitizer watches, whenever the announcement is as long as the rest.
    const size_t length = announced < input.restSize() ? announced : input.restSize();
    host::Request request{};
    const host::RequestProblem problem = host::ReadRequest(reinterpret_cast<const char*>(input.rest()), length, request);
    FUZZ_CHECK(!request.hasId || request.id >= 0);
    char frame[host::kMaxFrameBytes];
    if (problem == host::RequestProblem::kNone) {
        FUZZ_CHECK(request.hasId);
        CheckFrame(frame, host::WriteProfileAnswer(request.id, {"", "", ""}, frame), "profile", request.id, {"", "", ""});
    } else {
        FUZZ_CHECK(problem != host::RequestProblem::kNoId || !request.hasId);
        const size_t size = host::WriteErrorAnswer(request, host::ProblemText(problem), frame);
        unsigned char header[host::kFrameHeaderBytes];
        std::memcpy(header, frame, sizeof header);
        host::JsonField fields[] = {host::JsonField("kind"), host::JsonField("id"), host::JsonField("error")};
        FUZZ_CHECK(size == sizeof header + host::FrameLength(header) &&
                   host::ReadJsonObject(frame + sizeof header, size - sizeof header, fields, 3));
        FUZZ_CHECK(fields[1].found == request.hasId && (!request.hasId || fields[1].integer == request.id));
        FUZZ_CHECK(std::string(fields[2].text, fields[2].textSize) == host::ProblemText(problem));
    }
}

void CheckTexts(FuzzInput& input) {
    std::string parts[3];
    for (std::string& part : parts)
        while (input.restSize() > 0) {
            const char c = static_cast<char>(input.TakeByte());
            if (c == 0) break;
            part += c;
        }
    const host::LoginTexts texts{parts[0].c_str(), parts[1].c_str(), parts[2].c_str()};
    char frame[host::kMaxFrameBytes];
    // Each byte takes at most 6 as written; a message that surely fits must be written.
    const bool fits = 6 * (parts[0].size() + parts[1].size() + parts[2].size()) + 100 <= host::kMaxFrameBytes;
    const size_t fill = host::WriteFillMessage(texts, frame);
    FUZZ_CHECK(fill > 0 || !fits);
    if (fill > 0) CheckFrame(frame, fill, "fill", -1, texts);
    const size_t answer = host::WriteProfileAnswer(2147483647, texts, frame);
    FUZZ_CHECK(answer > 0 || !fits);
    if (answer > 0) CheckFrame(frame, answer, "profile", 2147483647, texts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    if (input.TakeByte() & 1)
        CheckTexts(input);
    else
        CheckRequest(input);
    return 0;
}
