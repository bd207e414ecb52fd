#pragma once

namespace quillon::capture {

// The progress bar of the browser status panel, as the walkers, the phone reveal and
// the capture run drive it.
class ProgressIndicator {
 public:
  virtual ~ProgressIndicator() = default;

  virtual void setMax(int max) = 0;
  virtual int max() const = 0;
  virtual void setPosition(int position) = 0;
  virtual int position() const = 0;
};

// A progress indicator that only remembers its values (command line, tests).
class PlainProgressIndicator final : public ProgressIndicator {
 public:
  void setMax(int max) override { m_max = max; }
  int max() const override { return m_max; }
  void setPosition(int position) override { m_position = position; }
  int position() const override { return m_position; }

 private:
  int m_max = 100;
  int m_position = 0;
};

}  // namespace quillon::capture
