// What the network-link tests share. The network role is global and set only
// once: a test that starts a role runs it in a process of its own, with its
// own working directory for the log.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "tests/common/link_window.h"
#include "tests/common/raw_peer.h"
#include "tests/common/temp_dir.h"

// Runs body in a child process with the link window made and the test blocks
// written; the test fails when the child reports a failure or outlives a minute.
template <class Body>
void InOwnProcess(Body body) {
  std::fflush(stdout);
  pid_t pid = fork();
  ASSERT_NE(pid, -1);
  if (pid == 0) {
    {
      TempDir dir;
      OpenLinkWindow();
      old_Strings64Init();
      body();
    }
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
    if (waited > 60000) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    usleep(10000);
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
}

inline void SetPort(int port) { std::snprintf(PORT_NUMBER_ch, sizeof PORT_NUMBER_ch, "%d", port); }

// A server on a free port; its port.
inline int StartServer() {
  raw::HeldPort held;
  SetPort(held.port());
  old_StartServer();
  return held.port();
}

// A peer connected and taken into the given slot.
inline int ConnectPeer(int port, int slot) {
  int fd = raw::Connect(port);
  EXPECT_GE(fd, 0);
  EXPECT_TRUE(PumpUntil([slot] { return NetWork2.Slot(slot) != INVALID_SOCKET; }))
      << "slot " << slot;
  return fd;
}
