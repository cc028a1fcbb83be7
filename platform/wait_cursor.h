#pragma once

namespace orbline {

// The busy cursor shown while a file is read or written. Begin and End nest: the cursor shows
// from the first Begin until the matching outermost End.
class WaitCursor {
 public:
  virtual ~WaitCursor() = default;
  void Begin();
  void End();
  int depth() const { return depth_; }

 protected:
  // Called when the outermost Begin starts and when the outermost End ends it.
  virtual void Show(bool /*busy*/) {}

 private:
  int depth_ = 0;
};

// Begins the wait cursor for one scope and ends it on every path out of it.
class WaitCursorGuard {
 public:
  explicit WaitCursorGuard(WaitCursor& cursor) : cursor_(cursor) { cursor_.Begin(); }
  ~WaitCursorGuard() { cursor_.End(); }
  WaitCursorGuard(const WaitCursorGuard&) = delete;
  WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

 private:
  WaitCursor& cursor_;
};

}  // namespace orbline
