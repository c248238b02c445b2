// The host's reading of the extension's requests and the frames it writes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/host_message.h"

using host::RequestProblem;

TEST(HostMessage, RequestsAreReadOrRefusedWithTheirId) {
    const std::string deep = R"({"kind":"profile","id":1,"x":)" + std::string(32, '[') + std::string(32, ']') + "}";
    const struct {
        const char* json;
        RequestProblem problem;
        bool hasId;
        int32_t id;
    } cases[] = {
        {R"({"kind":"profile","id":7})", RequestProblem::kNone, true, 7},
        {" { \"id\" : 0 ,\n\"kind\" : \"profile\", \"more\": [1, {\"a\": null}, -2.5e3, true] }\t", RequestProblem::kNone,
         true, 0},
        {R"({"kind":"pro\u0066ile","id":2147483647})", RequestProblem::kNone, true, 2147483647},
        {R"({"kind":"profile","id":2147483648})", RequestProblem::kNoId, false, 0},
        {R"({"kind":"profile","id":-1})", RequestProblem::kNoId, false, 0},
        {R"({"kind":"profile","id":1.0})", RequestProblem::kNoId, false, 0},
        {R"({"kind":"profile","id":"1"})", RequestProblem::kNoId, false, 0},
        {R"({"kind":"profile"})", RequestProblem::kNoId, false, 0},
        {R"({"kind":"fill","id":3})", RequestProblem::kUnknownKind, true, 3},
        {R"({"kind":"Profile","id":3})", RequestProblem::kUnknownKind, true, 3},
        {R"({"kind":"profile\u0000","id":3})", RequestProblem::kUnknownKind, true, 3},
        {R"({"id":5})", RequestProblem::kUnknownKind, true, 5},
        {R"({"kind":{"kind":"profile"},"id":5})", RequestProblem::kUnknownKind, true, 5},
        {"", RequestProblem::kNotJson, false, 0},
        {R"(["profile"])", RequestProblem::kNotJson, false, 0},
        {R"("profile")", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"profile","id":1)", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"profile","id":1}x)", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"profile","id":1,})", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"profile","id":01})", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"profile","kind":"profile","id":1})", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"\ud800","id":1})", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"\udc00\ud800","id":1})", RequestProblem::kNotJson, false, 0},
        {"{\"kind\":\"pro\nfile\",\"id\":1}", RequestProblem::kNotJson, false, 0},
        {R"({"kind":"profile","id":1,"x":tru})", RequestProblem::kNotJson, false, 0},
        {deep.c_str(), RequestProblem::kNotJson, false, 0},
    };
    for (const auto& c : cases) {
        // An exact copy, so that a read past its end is one past the allocation.
        const std::string bytes(c.json);
        host::Request request{true, -1};
        EXPECT_EQ(host::ReadRequest(bytes.data(), bytes.size(), request), c.problem) << c.json;
        EXPECT_EQ(request.hasId, c.hasId) << c.json;
        if (c.hasId) {
            EXPECT_EQ(request.id, c.id) << c.json;
        }
    }
}

namespace {

// The frame as written: its header's length, then the message, which must be exactly json.
void ExpectFrame(const char (&frame)[host::kMaxFrameBytes], size_t size, const char* json) {
    unsigned char header[host::kFrameHeaderBytes];
    std::memcpy(header, frame, sizeof header);
    ASSERT_EQ(size, sizeof header + host::FrameLength(header)) << json;
    EXPECT_EQ(std::string(frame + sizeof header, size - sizeof header), json);
}

}  // namespace

TEST(HostMessage, FramesCarryTheirLengthAndEscapedTextsThatReadBack) {
    char frame[host::kMaxFrameBytes];
    const host::LoginTexts texts{"m\"e\\m", "X12\x01", "p\xC3\xA4ss"};
    ExpectFrame(frame, host::WriteProfileAnswer(42, texts, frame),
                "{\"kind\":\"profile\",\"id\":42,\"member\":\"m\\\"e\\\\m\",\"site\":\"X12\\u0001\",\"password\":\"p\xC3\xA4ss\"}");
    host::JsonField fields[] = {host::JsonField("member"), host::JsonField("site"), host::JsonField("password")};
    ASSERT_TRUE(host::ReadJsonObject(frame + 4, host::FrameLength(reinterpret_cast<unsigned char(&)[4]>(frame)), fields, 3));
    EXPECT_EQ(std::string(fields[0].text, fields[0].textSize), texts.member);
    EXPECT_EQ(std::string(fields[1].text, fields[1].textSize), texts.site);
    EXPECT_EQ(std::string(fields[2].text, fields[2].textSize), texts.password);

    ExpectFrame(frame, host::WriteFillMessage({"", "", ""}, frame), R"({"kind":"fill","member":"","site":"","password":""})");
    ExpectFrame(frame, host::WriteErrorAnswer({true, 0}, "no profile", frame), R"({"kind":"error","id":0,"error":"no profile"})");
    ExpectFrame(frame, host::WriteErrorAnswer({false, 9}, "unknown kind", frame), R"({"kind":"error","error":"unknown kind"})");
    const std::string tooLong(host::kMaxFrameBytes, 'a');
    EXPECT_EQ(host::WriteFillMessage({tooLong.c_str(), "", ""}, frame), 0u);
}
