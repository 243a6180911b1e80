#include "bqueue.h"

BoundedQueue::BoundedQueue(int capacity)
    : items_(new int[capacity > 0 ? capacity : 1]), capacity_(capacity > 0 ? capacity : 1), head_(0), count_(0) {}

BoundedQueue::~BoundedQueue() { delete[] items_; }

void BoundedQueue::push(int value) {
  if (count_ == capacity_) throw QueueFull(capacity_);
  items_[(head_ + count_) % capacity_] = value;
  ++count_;
}

int BoundedQueue::pop() {
  if (count_ == 0) throw QueueEmpty();
  const int value = items_[head_];
  head_ = (head_ + 1) % capacity_;
  --count_;
  return value;
}

int BoundedQueue::front() const {
  if (count_ == 0) throw QueueEmpty();
  return items_[head_];
}

int BoundedQueue::size() const { return count_; }
int BoundedQueue::capacity() const { return capacity_; }
bool BoundedQueue::empty() const { return count_ == 0; }
bool BoundedQueue::full() const { return count_ == capacity_; }

unsigned BoundedQueue::checksum() const {
  unsigned sum = 0;
  for (int i = 0; i < count_; ++i) sum = sum * 31u + static_cast<unsigned>(items_[(head_ + i) % capacity_]);
  return sum;
}
