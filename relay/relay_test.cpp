// The reference relay against a loopback HTTP receiver run inside the test.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "run/relay_entry.h"
#include "win/file_helpers.h"
#include "win/owners.h"

namespace {
class WinsockSession {
public:
    WinsockSession() { ok_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
    ~WinsockSession() {
        if (ok_) WSACleanup();
    }
    bool ok() const { return ok_; }

private:
    WSADATA data_{};
    bool ok_ = false;
};

// A listening socket on 127.0.0.1 with a port chosen by the system.
SOCKET ListenOnLoopback(unsigned short& port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0 || listen(s, 1) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

// Takes one request and answers it with the given status and an empty body.
class LoopbackReceiver {
public:
    explicit LoopbackReceiver(int status) : status_(status) {
        listener_ = ListenOnLoopback(port_);
        if (listener_ != INVALID_SOCKET) thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackReceiver() { Finish(); }
    bool listening() const { return listener_ != INVALID_SOCKET; }
    unsigned short port() const { return port_; }
    // Waits for the exchange to end; the request's head and body as received.
    void Finish() {
        if (thread_.joinable()) thread_.join();
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
    const std::string& head() const { return head_; }
    const std::string& body() const { return body_; }

private:
    void Serve() {
        // Gives up when no client comes, so a failing test cannot hang.
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait{20, 0};
        if (select(0, &ready, nullptr, nullptr, &wait) != 1) return;
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::string received;
        char chunk[4096];
        std::size_t headEnd = std::string::npos;
        std::size_t bodyLength = 0;
        for (;;) {
            if (headEnd == std::string::npos && (headEnd = received.find("\r\n\r\n")) != std::string::npos) {
                head_ = received.substr(0, headEnd + 2);
                bodyLength = ContentLength(head_);
            }
            if (headEnd != std::string::npos && received.size() >= headEnd + 4 + bodyLength) break;
            const int n = recv(client, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            received.append(chunk, static_cast<std::size_t>(n));
        }
        if (headEnd != std::string::npos) body_ = received.substr(headEnd + 4);
        const std::string answer =
            "HTTP/1.1 " + std::to_string(status_) + " Answer\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        send(client, answer.data(), static_cast<int>(answer.size()), 0);
        shutdown(client, SD_SEND);
        closesocket(client);
    }

    static std::size_t ContentLength(const std::string& head) {
        std::string lower = head;
        for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        const std::size_t at = lower.find("\r\ncontent-length:");
        return at == std::string::npos ? 0 : std::stoul(lower.substr(at + 17));
    }

    int status_;
    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    std::thread thread_;
    std::string head_, body_;
};

// The test texts are plain ASCII.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Text(const VARIANT& value) {
    if (value.vt != VT_BSTR) return "<vt " + std::to_string(value.vt) + ">";
    return Narrow(std::wstring(value.bstrVal, SysStringLen(value.bstrVal)));
}

struct RelayAnswer {
    UniqueVariant result, error, errorText;
};

class ReferenceRelay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(winsock.ok());
        module.reset(LoadLibraryA((ProgramFolder() + "\\Relaynet.dll").c_str()));
        ASSERT_TRUE(module);
        entry = reinterpret_cast<WebPostDataProc>(reinterpret_cast<void*>(GetProcAddress(module.get(), "WebPostData")));
        ASSERT_NE(entry, nullptr);
    }

    void Post(const std::wstring& url, const std::wstring& record, RelayAnswer& answer) {
        VARIANT in[7];
        const std::wstring texts[7] = {url, record, L"N", L"", L"", L"", L""};
        for (int i = 0; i < 7; ++i) {
            VariantInit(&in[i]);
            in[i].vt = VT_BSTR;
            in[i].bstrVal = SysAllocString(texts[i].c_str());
        }
        entry(in[0], in[1], in[2], in[3], in[4], in[5], in[6], answer.result.get(), answer.error.get(),
              answer.errorText.get());
        for (VARIANT& v : in) VariantClear(&v);
    }

    WinsockSession winsock;
    UniqueModule module;
    WebPostDataProc entry = nullptr;
};

const wchar_t kRecord[] =
    L"<wpdcmscriptjobinstancestatus>\n\t<batchid>0</batchid>\n\t<status>Fail</status> \n\t"
    L"<desc><![CDATA[x < y]]></desc>\n\t</wpdcmscriptjobinstancestatus>";
}  // namespace

TEST_F(ReferenceRelay, PostsTheRecordAndReportsTheAnswer) {
    {
        LoopbackReceiver receiver(200);
        ASSERT_TRUE(receiver.listening());
        const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(receiver.port()) +
                                 L"/tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77&sid=S9&rid=123456&rty=T1";
        RelayAnswer answer;
        Post(url, kRecord, answer);
        receiver.Finish();
        EXPECT_EQ(Text(answer.result.ref()), "1");
        EXPECT_EQ(answer.error.ref().vt, VT_EMPTY);
        EXPECT_EQ(receiver.body(), Narrow(kRecord));
        const std::string& head = receiver.head();
        EXPECT_EQ(
            head.rfind("POST /tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77&sid=S9&rid=123456&rty=T1 HTTP/1.1\r\n", 0),
            0u)
            << head;
        EXPECT_NE(head.find("\r\nContent-Type: text/xml"), std::string::npos) << head;
    }
    {
        LoopbackReceiver receiver(500);
        ASSERT_TRUE(receiver.listening());
        RelayAnswer answer;
        Post(L"http://127.0.0.1:" + std::to_wstring(receiver.port()) + L"/status", kRecord, answer);
        receiver.Finish();
        EXPECT_EQ(Text(answer.result.ref()), "0");
        EXPECT_EQ(answer.error.ref().vt, VT_EMPTY);
        EXPECT_EQ(receiver.body().size(), std::wstring(kRecord).size());
    }
}

TEST_F(ReferenceRelay, TransportFailuresSetTheErrorValue) {
    unsigned short port = 0;
    SOCKET closed = ListenOnLoopback(port);
    ASSERT_NE(closed, INVALID_SOCKET);
    closesocket(closed);  // nobody listens on this port any more

    for (const std::wstring& url :
         {L"http://127.0.0.1:" + std::to_wstring(port) + L"/status",
          std::wstring(L"/tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77&sid=S9&rid=123456&rty=T1")}) {
        RelayAnswer answer;
        Post(url, kRecord, answer);
        ASSERT_EQ(answer.error.ref().vt, VT_BSTR);
        const std::string number = Text(answer.error.ref());
        EXPECT_FALSE(number.empty());
        EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << number;
        EXPECT_NE(number, "0");
        EXPECT_EQ(answer.errorText.ref().vt, VT_BSTR);
        EXPECT_FALSE(Text(answer.errorText.ref()).empty());
        EXPECT_NE(Text(answer.result.ref()), "1");
    }
}
