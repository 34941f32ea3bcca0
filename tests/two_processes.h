#pragma once
// Runs Work(0) and Work(1) in two child processes that start together, and tells whether both
// ran to their end without an exception: the way the tests make two programs save one file at
// the same moment.
#include <pthread.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

inline bool RunInTwoProcesses(const std::function<void(int Which)>& Work) {
  int Gate[2];
  if (::pipe(Gate) != 0) return false;
  pid_t Children[2] = {-1, -1};
  for (int I = 0; I < 2; ++I) {
    Children[I] = ::fork();
    if (Children[I] != 0) continue;
    ::close(Gate[1]);
    char Byte;
    while (::read(Gate[0], &Byte, 1) < 0 && errno == EINTR) {
    }
    int Code = 0;
    try {
      Work(I);
    } catch (...) {
      Code = 1;
    }
    ::_exit(Code);  // neither the test framework's nor the checkers' exit work in a child
  }
  ::close(Gate[0]);
  ::close(Gate[1]);  // the end of the pipe wakes both at once
  bool Done = true;
  for (const pid_t Child : Children) {
    int Status = 0;
    Done = Child > 0 && ::waitpid(Child, &Status, 0) == Child && WIFEXITED(Status) &&
           WEXITSTATUS(Status) == 0 && Done;
  }
  return Done;
}

// A point where two processes forked after its making wait for each other, so that each of
// their steps starts at the same moment.
class TMeetingPoint {
 public:
  TMeetingPoint() {
    void* Shared = ::mmap(nullptr, sizeof(pthread_barrier_t), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    FBarrier = static_cast<pthread_barrier_t*>(Shared);
    pthread_barrierattr_t Attr;
    ::pthread_barrierattr_init(&Attr);
    ::pthread_barrierattr_setpshared(&Attr, PTHREAD_PROCESS_SHARED);
    ::pthread_barrier_init(FBarrier, &Attr, 2);
    ::pthread_barrierattr_destroy(&Attr);
  }
  ~TMeetingPoint() {
    ::pthread_barrier_destroy(FBarrier);
    ::munmap(FBarrier, sizeof(pthread_barrier_t));
  }
  TMeetingPoint(const TMeetingPoint&) = delete;
  TMeetingPoint& operator=(const TMeetingPoint&) = delete;

  void Meet() { ::pthread_barrier_wait(FBarrier); }

 private:
  pthread_barrier_t* FBarrier;
};
