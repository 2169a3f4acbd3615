#pragma once
// A window-less progress bar drawn as one continuous bar in the highlight
// colour inside a sunken border. The position is kept within Min..Max.

#include "controls/GraphicControl.h"

class ProgressBar : public GraphicControl {
public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  // Max below Min is taken as Min; the position is clamped again.
  void SetRange(int min, int max);
  int Position() const { return position_; }
  void SetPosition(int v);

  void Paint(Canvas& canvas) override;

protected:
  // A progress bar whose value is the position and "%" ("4%"), as the
  // progress window writes its percentage.
  AccessibleDescription DescribeSelf() const override;

private:
  int min_ = 0, max_ = 100, position_ = 0;
};
