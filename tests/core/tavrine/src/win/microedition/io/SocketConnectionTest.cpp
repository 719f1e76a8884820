#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "PeerProcess.h"
#include "io/DInputStream.h"
#include "io/DOutputStream.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/io/DSocketConnection.h"
#include "microedition/io/DSocketInputStream.h"
#include "microedition/io/DSocketOutputStream.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

namespace {

using nvtest::eventually;
using nvtest::PeerProcess;
using qel::io::DSocketConnection;
using qel::io::DSocketConnectionPtr;
using qel::io::DSocketInputStream;
using qel::io::DSocketOutputStream;
using qel::lang::DStringPtr;

constexpr uint32_t IllegalArgument = 0x05400000;
constexpr uint32_t IO = 0x06000000;
constexpr uint32_t NullPointer = 0x05000080;

PeerProcess startPeer(const char* mode) {
  return PeerProcess({"python3", NV_TEST_DATA_DIR "/tcp_peer.py", mode}, true);
}

DSocketConnectionPtr openTo(const std::string& host, int port) {
  return DSocketConnection::open(
      new qel::lang::DString(("socket://" + host + ":" + std::to_string(port)).c_str()), 3, false);
}

bool settled(const DSocketConnectionPtr& c) {
  return eventually([&] { return c->getState() != 1; });
}

std::string readAll(qel::io::DInputStream& in, size_t want) {
  std::string got;
  eventually([&] {
    for (int b; got.size() < want && (b = in.read()) >= 0;) got.push_back(static_cast<char>(b));
    return got.size() >= want;
  });
  return got;
}

TEST(SocketConnectionOpen, RejectsBadAddresses) {
  for (const char16_t* url : {u"socket:/host:1", u"socket://host", u"socket://:80", u"SOCKET://h:1"})
    EXPECT_THROWS_CODE(IllegalArgument, DSocketConnection::open(url, 3, false)) << std::u16string(url).size();
}

TEST(SocketConnectionOpen, FailedConnectsEndInStateZeroWithoutException) {
  // The unknown name must fail fast also where no name server answers.
  setenv("RES_OPTIONS", "timeout:1 attempts:1", 0);
  const int closedPort = PeerProcess::freePort();
  for (const std::string& url : {"socket://127.0.0.1:" + std::to_string(closedPort),
                                 std::string("socket://no-such-host.invalid:80"),
                                 std::string("socket://127.0.0.1:http"),
                                 std::string("socket://127.0.0.1:70000"),
                                 std::string("socket://127.0.0.1:0")}) {
    DSocketConnectionPtr c = DSocketConnection::open(new qel::lang::DString(url.c_str()), 3, false);
    ASSERT_TRUE(settled(c)) << url;
    EXPECT_EQ(c->getState(), 0) << url;
    EXPECT_EQ(c->openInputStream()->read(), -1) << url;
  }
}

TEST(SocketConnectionOpen, ConnectsAndKeepsTheAddress) {
  PeerProcess peer = startPeer("echo");
  DSocketConnectionPtr c = openTo("127.0.0.1", peer.port());
  // Opened; a connect on loopback may already have completed.
  EXPECT_NE(c->getState(), 0);
  EXPECT_EQ(c->getMode(), 3);
  const std::string url = "socket://127.0.0.1:" + std::to_string(peer.port());
  EXPECT_TRUE(c->openInputStream()->getName()->equals(std::u16string(url.begin(), url.end()).c_str()));
  ASSERT_TRUE(settled(c));
  EXPECT_EQ(c->getState(), 2);
  EXPECT_GT(c->getReceiveBufferSize(), 0);
  // Neither the connection nor its streams name a class of their own.
  EXPECT_EQ(c->getClassName(), "DObject");
  EXPECT_EQ(c->openInputStream()->getClassName(), "DObject");
  EXPECT_EQ(c->openOutputStream()->getClassName(), "DObject");
}

TEST(SocketConnectionOpen, ConnectsToLocalhostByName) {
  PeerProcess peer = startPeer("echo");
  DSocketConnectionPtr c = openTo("localhost", peer.port());
  ASSERT_TRUE(settled(c));
  EXPECT_EQ(c->getState(), 2);
}

TEST(SocketConnectionStreams, WriteBeforeConnectedThrows) {
  const int closedPort = PeerProcess::freePort();
  DSocketConnectionPtr c = openTo("127.0.0.1", closedPort);
  qel::io::DOutputStreamPtr out = c->openOutputStream();
  ASSERT_TRUE(settled(c));
  EXPECT_THROWS_CODE(IO, out->write(65));
  EXPECT_THROWS_CODE(IO, out->write(qel::lang::DbyteArrayPtr(new qel::lang::DbyteArray(0))));
  EXPECT_THROWS_CODE(IO, out->write(new qel::lang::DbyteArray(4), 4, 2));
  EXPECT_THROWS_CODE(IO, c->getReceiveBufferSize());
}

TEST(SocketConnectionStreams, EchoesBytesAndNeverWaits) {
  PeerProcess peer = startPeer("echo");
  DSocketConnectionPtr c = openTo("127.0.0.1", peer.port());
  ASSERT_TRUE(settled(c));
  qel::io::DInputStreamPtr in = c->openInputStream();
  EXPECT_EQ(in->read(), -1);
  uint8_t scratch[4];
  EXPECT_EQ(in->readRaw(scratch, 4), 0);
  EXPECT_THROWS_CODE(IllegalArgument, in->readRaw(nullptr, 1));
  EXPECT_THROWS_CODE(IllegalArgument, in->readRaw(scratch, -1));
  EXPECT_THROWS_CODE(IllegalArgument, in->read(new qel::lang::DbyteArray(4), 0, -1));

  qel::io::DOutputStreamPtr out = c->openOutputStream();
  qel::lang::DbyteArrayPtr bytes = new qel::lang::DbyteArray(4, 0, 'a', 'b', 0xFF, 'c');
  out->write(bytes, 1, 10);
  out->write('z');
  EXPECT_EQ(readAll(*in, 4),
            std::string("b\xFF"
                        "cz"));
}

TEST(SocketConnectionStreams, LargeWriteIsQueuedWholeAndArrivesInOrder) {
  PeerProcess peer = startPeer("echo");
  DSocketConnectionPtr c = openTo("127.0.0.1", peer.port());
  ASSERT_TRUE(settled(c));
  std::string sent;
  for (int i = 0; i < 5000; ++i) sent.push_back(static_cast<char>('A' + i % 26));
  qel::io::DOutputStreamPtr stream = c->openOutputStream();
  auto* out = static_cast<DSocketOutputStream*>(stream.get());
  EXPECT_EQ(out->writeRaw(reinterpret_cast<const uint8_t*>(sent.data()), 5000), 5000);
  qel::io::DInputStreamPtr in = c->openInputStream();
  EXPECT_EQ(readAll(*in, sent.size()), sent);
}

TEST(SocketConnectionStreams, PeerCloseKeepsBufferedBytesThenEnds) {
  PeerProcess peer = startPeer("greet-close");
  DSocketConnectionPtr c = openTo("127.0.0.1", peer.port());
  ASSERT_TRUE(settled(c));
  qel::io::DInputStreamPtr in = c->openInputStream();
  ASSERT_TRUE(eventually([&] {
    in->available();
    return c->getState() == 0;
  }));
  EXPECT_EQ(in->available(), 5);
  EXPECT_EQ(readAll(*in, 5), "hello");
  EXPECT_EQ(in->read(), -1);
  uint8_t scratch[2];
  EXPECT_EQ(in->readRaw(scratch, 2), -1);
}

TEST(SocketConnectionStreams, SendToAClosedPeerDoesNotKillTheProcess) {
  PeerProcess peer = startPeer("accept-close");
  DSocketConnectionPtr c = openTo("127.0.0.1", peer.port());
  ASSERT_TRUE(settled(c));
  qel::io::DOutputStreamPtr out = c->openOutputStream();
  qel::io::DInputStreamPtr in = c->openInputStream();
  qel::lang::DbyteArrayPtr block = new qel::lang::DbyteArray(4096);
  // Writes keep being queued until the peer's close is seen; the sender's
  // failed sends drop them instead of raising SIGPIPE.
  for (int round = 0; round < 50 && c->getState() == 2; ++round) {
    out->write(block);
    eventually([&] {
      in->available();
      return c->getState() == 0;
    });
  }
  EXPECT_EQ(c->getState(), 0);
}

TEST(SocketConnectionStreams, ClosedStreamsAndConnection) {
  PeerProcess peer = startPeer("echo");
  DSocketConnectionPtr c = openTo("127.0.0.1", peer.port());
  ASSERT_TRUE(settled(c));
  qel::io::DInputStreamPtr in = c->openInputStream();
  ASSERT_NE(c->openDataInputStream().get(), nullptr);
  ASSERT_NE(c->openDataOutputStream().get(), nullptr);
  in->close();
  uint8_t scratch[1];
  EXPECT_EQ(in->readRaw(scratch, 1), -1);
  EXPECT_THROWS_CODE(NullPointer, in->available());
  EXPECT_THROWS_CODE(NullPointer, in->read());
  EXPECT_THROWS_CODE(NullPointer, in->getName());
  c->close();
  EXPECT_EQ(c->getState(), 0);
  EXPECT_THROWS_CODE(IO, c->openOutputStream()->write(1));
  c->close();
}

TEST(SocketConnectionLifetime, CloseWhileConnectingAndManyConnectionsAtOnce) {
  PeerProcess peer = startPeer("echo");
  std::vector<DSocketConnectionPtr> connections;
  for (int i = 0; i < 8; ++i) connections.push_back(openTo("127.0.0.1", peer.port()));
  connections[0]->close();
  EXPECT_EQ(connections[0]->getState(), 0);
  for (size_t i = 1; i < connections.size(); ++i) {
    ASSERT_TRUE(settled(connections[i]));
    EXPECT_EQ(connections[i]->getState(), 2);
    connections[i]->openOutputStream()->write(static_cast<int32_t>('0' + i));
  }
  for (size_t i = 1; i < connections.size(); ++i) {
    qel::io::DInputStreamPtr in = connections[i]->openInputStream();
    EXPECT_EQ(readAll(*in, 1), std::string(1, static_cast<char>('0' + i)));
  }
  connections.clear();
}

TEST(SocketConnectionLifetime, PendingConnectHoldsUpNeitherOthersNorClose) {
  PeerProcess stuck = startPeer("never-accept");
  PeerProcess echo = startPeer("echo");
  // Connects are opened one by one until two stay pending: the first fill the
  // listener's queue, and once it is full the kernel answers no further one.
  std::vector<DSocketConnectionPtr> pending;
  for (int i = 0; i < 8 && pending.size() < 2; ++i) {
    DSocketConnectionPtr c = openTo("127.0.0.1", stuck.port());
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (c->getState() == 1) pending.push_back(c);
  }
  ASSERT_EQ(pending.size(), 2u);
  DSocketConnectionPtr working = openTo("127.0.0.1", echo.port());
  ASSERT_TRUE(settled(working));
  qel::io::DOutputStreamPtr out = working->openOutputStream();
  out->write('q');
  qel::io::DInputStreamPtr in = working->openInputStream();
  EXPECT_EQ(readAll(*in, 1), "q");
  for (const DSocketConnectionPtr& c : pending) EXPECT_EQ(c->getState(), 1);
  for (const DSocketConnectionPtr& c : pending) {
    c->close();
    EXPECT_EQ(c->getState(), 0);
  }
}

}  // namespace
