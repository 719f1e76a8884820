#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "HttpTestPeers.h"
#include "io/DInputStream.h"
#include "io/DOutputStream.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"
#include "microedition/io/Connector.h"
#include "microedition/io/DHttpConnection.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "wireless/messaging/DMessageConnection.h"

namespace {

using nvtest::eventually;
using qel::io::DHttpConnection;
using qel::io::DHttpConnectionPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;

constexpr uint32_t IO = 0x06000000;
constexpr uint32_t NumberFormat = 0x05400002;

DStringPtr text(const std::string& s) { return new DString(s.c_str()); }
std::string narrow(const DStringPtr& s) { return s ? std::string(s->view().begin(), s->view().end()) : "<null>"; }

DHttpConnectionPtr connectTo(int port, const std::string& path) {
  DHttpConnectionPtr c = DHttpConnection::open(text("http://127.0.0.1:" + std::to_string(port) + path), 3, false);
  EXPECT_TRUE(eventually([&] { return c->getState() != 1; }));
  EXPECT_EQ(c->getState(), 2);
  return c;
}

// The body as far as it has arrived; stops at -1 or when nothing more comes.
std::string body(const DHttpConnectionPtr& c, size_t want) {
  qel::io::DInputStreamPtr in = c->openInputStream();
  std::string got;
  eventually([&] {
    for (int b; got.size() < want && (b = in->read()) >= 0;) got.push_back(static_cast<char>(b));
    return got.size() >= want;
  });
  return got;
}

class ScriptedHttp : public ::testing::Test {
protected:
  static void SetUpTestSuite() { peer_ = nvtest::startScriptedPeer().release(); }
  static void TearDownTestSuite() { delete peer_; }
  static DHttpConnectionPtr get(const std::string& path) { return connectTo(peer_->port(), path); }
  static nvtest::PeerProcess* peer_;
};
nvtest::PeerProcess* ScriptedHttp::peer_ = nullptr;

TEST(HttpAddress, SplitsHostPortAndPath) {
  struct Case {
    const char* url;
    const char* host;
    int port;
    const char* path;
  } cases[] = {{"http://127.0.0.1/a/b", "127.0.0.1", 80, "/a/b"},
               {"http://127.0.0.1:8080", "127.0.0.1", 8080, "/"},
               {"http://127.0.0.1", "127.0.0.1", 80, "/"},
               {"http://127.0.0.1:81/x?q=1", "127.0.0.1", 81, "/x?q=1"},
               {"http://127.0.0.1/a:b", "127.0.0.1", 80, "/a:b"}};
  for (const Case& c : cases) {
    DHttpConnectionPtr http = DHttpConnection::open(text(c.url), 3, false);
    EXPECT_EQ(narrow(http->getHost()), c.host) << c.url;
    EXPECT_EQ(http->getPort(), c.port) << c.url;
    EXPECT_EQ(narrow(http->getPath()), c.path) << c.url;
  }
  EXPECT_THROWS_CODE(0x05400000u, DHttpConnection::open(u"http://:80/", 3, false));
  EXPECT_THROWS_CODE(0x05400000u, DHttpConnection::open(u"https://host/", 3, false));
}

TEST(HttpConnector, DispatchesOnTheExactScheme) {
  using qel::io::Connector;
  EXPECT_EQ(Connector::open(u"HTTP://127.0.0.1/").get(), nullptr);
  EXPECT_EQ(Connector::open(u"ftp://127.0.0.1/").get(), nullptr);
  EXPECT_THROWS_CODE(0x05400000u, Connector::open(u"socket://127.0.0.1"));
  EXPECT_THROWS_CODE(0x05400000u, Connector::open(u"socket://:1"));
  qel::io::DConnectionPtr sms = Connector::open(u"sms://+4912345");
  ASSERT_NE(sms.get(), nullptr);
  EXPECT_EQ(sms->getState(), 0);
  EXPECT_EQ(sms->openInputStream().get(), nullptr);
  sms->close();
  EXPECT_NE(dynamic_cast<DHttpConnection*>(Connector::open(u"http://127.0.0.1:1/").get()), nullptr);
}

TEST(HttpConnector, SmsAddressOpensTheMessageConnectionItself) {
  using qel::messaging::DMessageConnection;
  qel::io::DConnectionPtr opened = qel::io::Connector::open(u"sms://+4912345");
  auto* messages = dynamic_cast<DMessageConnection*>(opened.get());
  ASSERT_NE(messages, nullptr);
  EXPECT_TRUE(messages->getAddress()->equals(u"+4912345"));
  EXPECT_EQ(messages->getClassName(), "DObject");
}

TEST_F(ScriptedHttp, ReadsHeadsSplitOrWhole) {
  DHttpConnectionPtr whole = get("/onepacket");
  EXPECT_EQ(whole->getClassName(), "DObject");
  EXPECT_EQ(whole->openInputStream()->getClassName(), "DObject");
  EXPECT_EQ(whole->getResponseCode(), 200);
  EXPECT_EQ(whole->getLength(), 5);
  EXPECT_EQ(body(whole, 5), "hello");

  DHttpConnectionPtr split = get("/split");
  EXPECT_EQ(split->getResponseCode(), 200);
  EXPECT_EQ(narrow(split->getResponseMessage()), "Fine Day");
  EXPECT_EQ(body(split, 3), "abc");

  DHttpConnectionPtr missing = get("/notfound");
  EXPECT_EQ(missing->getResponseCode(), 404);
  EXPECT_EQ(narrow(missing->getResponseMessage()), "Not Found");
}

TEST_F(ScriptedHttp, AcceptsLooseHeaderSpelling) {
  DHttpConnectionPtr c = get("/lower");
  EXPECT_EQ(c->getResponseCode(), 200);
  EXPECT_EQ(narrow(c->getType()), "text/x-lower");
  EXPECT_EQ(narrow(c->getHeaderField(u"X-Empty")), "");
  EXPECT_EQ(narrow(c->getHeaderField(u"x-spaced")), "v ");
  EXPECT_EQ(c->getHeaderField(u"Absent").get(), nullptr);
  EXPECT_EQ(c->getEncoding().get(), nullptr);
  EXPECT_EQ(c->getLength(), 12);
  EXPECT_EQ(body(c, 12), "hello world!");
}

TEST_F(ScriptedHttp, MalformedHeadsFailTheExchange) {
  for (const char* path :
       {"/nocolon", "/leadingcolon", "/oneblank", "/short", "/nothttp", "/closeearly", "/hugehead"}) {
    DHttpConnectionPtr c = get(path);
    EXPECT_THROWS_CODE(IO, c->getResponseCode()) << path;
    EXPECT_EQ(c->exchangeState(), DHttpConnection::Failed) << path;
    EXPECT_THROWS_CODE(IO, c->getType()) << path;
    EXPECT_NE(c->openInputStream().get(), nullptr) << path;
  }
  EXPECT_THROWS_CODE(IO, get("/noblank")->getResponseCode());
  EXPECT_THROWS_CODE(NumberFormat, get("/notanumber")->getResponseCode());
}

TEST_F(ScriptedHttp, StatusLineLongerThanTheBufferIsRead) {
  DHttpConnectionPtr c = get("/longstatus");
  EXPECT_EQ(c->getResponseCode(), 200);
  EXPECT_EQ(c->getResponseMessage()->length(), 5000);
  EXPECT_EQ(body(c, 2), "ok");
}

TEST_F(ScriptedHttp, ChunkedBodiesAreDecoded) {
  DHttpConnectionPtr c = get("/chunked");
  EXPECT_EQ(body(c, 11), "hello world");
  qel::io::DInputStreamPtr in = c->openInputStream();
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->available(), 0);

  DHttpConnectionPtr bad = get("/badchunk");
  qel::io::DInputStreamPtr damaged = bad->openInputStream();
  uint8_t scratch[8];
  EXPECT_TRUE(eventually([&] { return thrownCode([&] { damaged->readRaw(scratch, 8); }) == IO; }));
}

// A chunked body cut inside a chunk, by a close or a reset: the bytes that
// came are handed out, then the stream throws instead of ending.
TEST_F(ScriptedHttp, ChunkedBodyCutInsideAChunkThrows) {
  for (const char* path : {"/cutchunk", "/resetchunk"}) {
    DHttpConnectionPtr c = get(path);
    qel::io::DInputStreamPtr in = c->openInputStream();
    std::string got;
    uint32_t thrown = 0;
    EXPECT_TRUE(eventually([&] {
      thrown = thrownCode([&] {
        for (int b; (b = in->read()) >= 0;) got.push_back(static_cast<char>(b));
      });
      return thrown != 0;
    })) << path;
    EXPECT_EQ(thrown, IO) << path;
    EXPECT_EQ(std::string("hello").substr(0, got.size()), got) << path;
  }
}

TEST_F(ScriptedHttp, BodyBytesAreUnsignedAndClosedStreamsRefuse) {
  DHttpConnectionPtr c = get("/binary");
  qel::io::DInputStreamPtr in = c->openInputStream();
  std::string got;
  eventually([&] {
    for (int b; (b = in->read()) >= 0;) got.push_back(static_cast<char>(b));
    return got.size() >= 3;
  });
  EXPECT_EQ(got, std::string("\xff\x00\x80", 3));
  EXPECT_THROWS_CODE(0x05400000u, in->read(new qel::lang::DbyteArray(4), 0, -1));
  in->close();
  EXPECT_THROWS_CODE(0x05000080u, in->available());
  EXPECT_THROWS_CODE(0x05000080u, in->read());
  EXPECT_EQ(narrow(in->getName()), "http://127.0.0.1:" + std::to_string(peer_->port()) + "/binary");
}

TEST_F(ScriptedHttp, RequestCarriesPortMethodPropertiesAndBody) {
  DHttpConnectionPtr c = get("/echo");
  c->setRequestMethod(u"POST");
  c->setRequestProperty(u"Content-Length", u"4");
  c->openOutputStream()->write(text("ping")->getBytes(false));
  const std::string port = std::to_string(peer_->port());
  const std::string expected = "POST /echo HTTP/1.1\r\nhost: 127.0.0.1:" + port + "\r\nContent-Length: 4\r\n\r\nping";
  EXPECT_EQ(c->getResponseCode(), 200);
  EXPECT_EQ(body(c, expected.size()), expected);
  EXPECT_THROWS_CODE(IO, c->setRequestProperty(u"a", u"b"));
  EXPECT_THROWS_CODE(IO, c->setRequestMethod(u"GET"));
  EXPECT_EQ(c->openOutputStream().get(), nullptr);
}

TEST_F(ScriptedHttp, SilentOrStalledServersTimeOut) {
  for (const char* path : {"/silent", "/stall"}) {
    DHttpConnectionPtr c = get(path);
    wce::ManualClock clock;
    wce::ScopedClockSource useClock(clock);
    EXPECT_THROWS_CODE(IO, c->getResponseCode()) << path;
    EXPECT_GT(clock.sleptMillis(), static_cast<uint64_t>(DHttpConnection::DefaultTimeoutMs) - 100) << path;
    EXPECT_NE(c->openInputStream().get(), nullptr) << path;
  }
}

TEST(HttpRequest, SendingBeforeConnectedThrows) {
  DHttpConnectionPtr c =
      DHttpConnection::open(text("http://127.0.0.1:" + std::to_string(nvtest::PeerProcess::freePort())), 3, false);
  ASSERT_TRUE(eventually([&] { return c->getState() != 1; }));
  EXPECT_THROWS_CODE(IO, c->getResponseCode());
}

TEST(HttpPythonServer, ServesFilesAndNotFound) {
  const nvtest::TempFolder root("nv-http");
  std::string binary;
  for (int i = 0; i < 256; ++i) binary.push_back(static_cast<char>(i));
  root.writeFile("bytes.bin", binary);
  auto server = nvtest::startPythonHttpServer(root);
  ASSERT_TRUE(server->awaitListening());

  DHttpConnectionPtr file = connectTo(server->port(), "/bytes.bin");
  EXPECT_EQ(file->getResponseCode(), 200);
  EXPECT_EQ(file->getLength(), 256);
  EXPECT_EQ(narrow(file->getType()), "application/octet-stream");
  EXPECT_EQ(body(file, 256), binary);

  DHttpConnectionPtr missing = connectTo(server->port(), "/none.txt");
  EXPECT_EQ(missing->getResponseCode(), 404);
  EXPECT_EQ(narrow(missing->getResponseMessage()), "File not found");
}

// curl's head for the same address, header names in lower case.
std::string curlHeader(int port, const std::string& path, const std::string& name) {
  const std::string command = "curl -s -D - -o /dev/null http://127.0.0.1:" + std::to_string(port) + path;
  FILE* pipe = popen(command.c_str(), "r");
  std::string value;
  char line[512];
  while (pipe && std::fgets(line, sizeof line, pipe)) {
    std::string header(line);
    std::string lowered = header;
    for (size_t i = 0; i < lowered.size() && lowered[i] != ':'; ++i)
      lowered[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowered[i])));
    if (lowered.rfind(name + ":", 0) == 0) {
      value = header.substr(name.size() + 1);
      value.erase(0, value.find_first_not_of(' '));
      value.erase(value.find_last_not_of("\r\n") + 1);
    }
  }
  if (pipe) pclose(pipe);
  return value;
}

TEST(HttpNginx, KeepAliveBodyEndsWithoutWaitingAndMatchesCurl) {
  const nvtest::TempFolder root("nv-http");
  const std::string content = "nginx serves this file\n";
  root.writeFile("www/tagged/file.txt", content);
  auto server = nvtest::startNginx(root);
  ASSERT_TRUE(server->awaitListening());

  DHttpConnectionPtr c = connectTo(server->port(), "/tagged/file.txt");
  EXPECT_EQ(c->getResponseCode(), 200);
  EXPECT_EQ(narrow(c->getHeaderField(u"X-Lower-Case")), "yes");
  EXPECT_EQ(narrow(c->getType()), curlHeader(server->port(), "/tagged/file.txt", "content-type"));
  EXPECT_EQ(std::to_string(c->getLength()), curlHeader(server->port(), "/tagged/file.txt", "content-length"));
  EXPECT_EQ(body(c, content.size()), content);
  qel::io::DInputStreamPtr in = c->openInputStream();
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(c->getState(), 2);
}

std::string curlBody(int port, const std::string& path) {
  const std::string command = "curl -s http://127.0.0.1:" + std::to_string(port) + path;
  FILE* pipe = popen(command.c_str(), "r");
  std::string body;
  char block[4096];
  for (size_t n; pipe && (n = std::fread(block, 1, sizeof block, pipe)) > 0;) body.append(block, n);
  if (pipe) pclose(pipe);
  return body;
}

// nginx sends a directory listing chunked: read a byte at a time, it is the
// body curl decodes, and it ends at its last chunk on the open connection.
TEST(HttpNginx, ChunkedListingMatchesCurl) {
  const nvtest::TempFolder root("nv-http");
  for (int i = 0; i < 400; ++i) root.writeFile("www/list/file-with-a-long-name-" + std::to_string(i) + ".txt", "x");
  auto server = nvtest::startNginx(root);
  ASSERT_TRUE(server->awaitListening());
  const std::string expected = curlBody(server->port(), "/list/");
  ASSERT_GT(expected.size(), size_t{30000});

  DHttpConnectionPtr c = connectTo(server->port(), "/list/");
  EXPECT_EQ(c->getResponseCode(), 200);
  EXPECT_EQ(narrow(c->getHeaderField(u"Transfer-Encoding")), "chunked");
  qel::io::DInputStreamPtr in = c->openInputStream();
  std::string got;
  eventually([&] {
    for (int b; got.size() < expected.size() && (b = in->read()) >= 0;) got.push_back(static_cast<char>(b));
    return got.size() >= expected.size();
  });
  EXPECT_EQ(got, expected);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(c->getState(), 2);
}

}  // namespace
