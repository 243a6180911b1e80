// A bounded first-in first-out queue of integers: the code under test of the
// bundled example.
#ifndef BQUEUE_H
#define BQUEUE_H

// Raised by push on a full queue.
class QueueFull {
 public:
  int capacity;
  QueueFull() : capacity(0) {}
  explicit QueueFull(int c) : capacity(c) {}
};

// Raised by pop and front on an empty queue.
class QueueEmpty {
 public:
  int reason;
  QueueEmpty() : reason(0) {}
};

class BoundedQueue {
 public:
  explicit BoundedQueue(int capacity);
  ~BoundedQueue();
  void push(int value);
  int pop();
  int front() const;
  int size() const;
  int capacity() const;
  bool empty() const;
  bool full() const;
  // Sum of the queued values, oldest first, wrapping like an unsigned.
  unsigned checksum() const;

 private:
  BoundedQueue(const BoundedQueue&);
  BoundedQueue& operator=(const BoundedQueue&);
  int* items_;
  int capacity_;
  int head_;
  int count_;
};

#endif
