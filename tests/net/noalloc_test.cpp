// While the link runs, a pass of the message pump allocates nothing: the
// socket poll, the posted socket messages and the reads of the window
// procedure.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/net/link_fixture.h"
#include "tests/world/alloc_counter.h"

TEST(LinkNoAlloc, PassesThatReadFromTwoPeersDoNotAllocate) {
  InOwnProcess([] {
    int port = StartServer();
    int a = ConnectPeer(port, 1);
    int b = ConnectPeer(port, 2);
    const std::string block = raw::Block("GOL"), text(200, 't');
    SockMsgs().reserve(64);
    auto round = [&] {
      raw::SendAll(a, block);
      raw::SendAll(b, text);
      SockMsgs().clear();
      return PumpUntil([] { return SockMsgs().size() >= 2; });
    };
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(round());  // warmed up
    long before = HeapAllocations();
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(round());
    EXPECT_EQ(HeapAllocations() - before, 0);
    close(a), close(b);
  });
}
