#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/TextCodec.h"
#include "microedition/io/HttpResponseHead.h"
#include "util/DCyclicBuf.h"
#include "util/DHashtable.h"

using qel::io::HttpResponseHead;
using qel::util::DCyclicBuf;
using qel::util::DCyclicBufPtr;
using qel::util::DHashtablePtr;

namespace {

constexpr int32_t kLimit = 65536;

std::string reply(const std::string& name) {
  std::ifstream in(std::string(NV_TEST_DATA_DIR) + "/../fuzz/corpus/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string text(const qel::lang::DStringPtr& s) { return s ? qel::lang::toMultiByte(s->view()) : "<null>"; }

// Hands bytes to the head in runs of the given length, as receives would,
// until the head is complete or failed.
struct Delivery {
  DHashtablePtr headers = new qel::util::DHashtable(11, 75);
  HttpResponseHead head{headers, kLimit};
  DCyclicBufPtr buffer = new DCyclicBuf(kLimit + 1024);

  HttpResponseHead::Progress deliver(const std::string& bytes, size_t run) {
    for (size_t at = 0; at < bytes.size() && head.progress() < HttpResponseHead::Complete; at += run) {
      const std::string part = bytes.substr(at, run);
      buffer->write(reinterpret_cast<const uint8_t*>(part.data()), static_cast<int32_t>(part.size()));
      head.takeLines(*buffer);
    }
    return head.progress();
  }
  std::string header(const char16_t* name) {
    return text(static_cast<qel::lang::DString*>(headers->get(qel::lang::DStringPtr(name))));
  }
  std::string rest() {
    std::string bytes(static_cast<size_t>(buffer->stored()), '\0');
    buffer->read(reinterpret_cast<uint8_t*>(bytes.data()), buffer->stored());
    return bytes;
  }
};

TEST(HttpResponseHead, RealRepliesReadTheSameInAnyRuns) {
  const std::string nginx = reply("nginx_200.bin");
  const std::string python = reply("python_404.bin");
  ASSERT_FALSE(nginx.empty());
  for (size_t run : {size_t{1}, size_t{2}, size_t{7}, size_t{100}, nginx.size()}) {
    SCOPED_TRACE(run);
    Delivery d;
    ASSERT_EQ(d.deliver(nginx, run), HttpResponseHead::Complete);
    EXPECT_EQ(d.head.code(), 200);
    EXPECT_EQ(text(d.head.message()), "OK");
    EXPECT_EQ(d.header(u"Content-Length"), "13");
    EXPECT_EQ(d.header(u"ETag").front(), '"');
    const std::string rest = d.rest();
    EXPECT_EQ(rest, std::string("hello, world\n").substr(0, rest.size())) << "body bytes stay buffered";

    Delivery p;
    ASSERT_EQ(p.deliver(python, run), HttpResponseHead::Complete);
    EXPECT_EQ(p.head.code(), 404);
    EXPECT_EQ(text(p.head.message()), "File not found");
    EXPECT_EQ(p.header(u"Content-Type"), "text/html;charset=utf-8");
  }
}

TEST(HttpResponseHead, HeadsUpToTheLimitReadAndLargerOnesFail) {
  const std::string status = "HTTP/1.1 200 OK\r\n";
  const std::string end = "\r\n";
  const std::string name = "X-Long: ";
  const size_t filler = kLimit - status.size() - name.size() - 2 - end.size();
  for (auto [extra, expected] :
       {std::pair{size_t{0}, HttpResponseHead::Complete}, {size_t{1}, HttpResponseHead::Failed}}) {
    SCOPED_TRACE(extra);
    Delivery d;
    const std::string head = status + name + std::string(filler + extra, 'v') + "\r\n" + end;
    EXPECT_EQ(d.deliver(head, 1), expected);
  }
  Delivery longStatus;
  EXPECT_EQ(longStatus.deliver("HTTP/1.1 200 " + std::string(kLimit, 'x') + "\n", 1), HttpResponseHead::Failed);
}

TEST(HttpResponseHead, MalformedLines) {
  struct Case {
    const char* what;
    std::string bytes;
    HttpResponseHead::Progress progress;
    uint32_t thrown;
  };
  const Case cases[] = {
      {"not HTTP", "FTP/1.0 200 OK\r\n\r\n", HttpResponseHead::Failed, 0},
      {"one blank only", "HTTP/1.1 200\r\n\r\n", HttpResponseHead::Failed, 0},
      {"no blank", "HTTP/1.1\r\n\r\n", HttpResponseHead::Failed, qel::lang::ExceptionCode::IO},
      {"code not a number",
       "HTTP/1.1 2x0 OK\r\n\r\n",
       HttpResponseHead::Failed,
       qel::lang::ExceptionCode::NumberFormat},
      {"header without colon", "HTTP/1.1 200 OK\r\nbroken\r\n\r\n", HttpResponseHead::Failed, 0},
      {"header starting with colon", "HTTP/1.1 200 OK\r\n: x\r\n\r\n", HttpResponseHead::Failed, 0},
      {"lower-case http and bare line feeds", "http/1.0 204 No Content\nA:\n\n", HttpResponseHead::Complete, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Delivery d;
    uint32_t thrown = 0;
    try {
      d.deliver(c.bytes, 3);
    } catch (const qel::lang::DExceptionBase& e) {
      thrown = e.code();
    }
    EXPECT_EQ(d.head.progress(), c.progress);
    EXPECT_EQ(thrown, c.thrown);
  }
}

}  // namespace
