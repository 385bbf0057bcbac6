#include "framework/controls/Anchors.h"

#include <algorithm>

namespace {

// The control's bounds and its parent's client size when they were last taken;
// every later position is computed from these, so that growing and shrinking the
// parent back returns the control exactly where it was.
class TParentEdgeRules final : public TAnchorRules {
public:
    void ControlPlaced(TControl& Control) override
    {
        if (FApplying)
            return;
        FTaken = false;
        Take(Control);
    }

    void ParentResized(TControl& Control) override
    {
        if (!Control.Parent())
            return;
        if (!FTaken) {
            Take(Control);
            return;
        }
        const TRect client = Control.Parent()->ClientRect();
        const TAnchors anchors = Control.Anchors();
        int left = FBounds.left, width = FBounds.Width();
        Follow(anchors.Contains(akLeft), anchors.Contains(akRight), client.Width() - FParentWidth, FParentWidth,
               client.Width(), left, width);
        int top = FBounds.top, height = FBounds.Height();
        Follow(anchors.Contains(akTop), anchors.Contains(akBottom), client.Height() - FParentHeight, FParentHeight,
               client.Height(), top, height);
        FApplying = true;
        try {
            Control.SetBounds(left, top, width, height);
        } catch (...) {
            FApplying = false;
            throw;
        }
        FApplying = false;
    }

private:
    void Take(TControl& Control)
    {
        if (!Control.Parent())
            return;
        const TRect client = Control.Parent()->ClientRect();
        FBounds = Control.BoundsRect();
        FParentWidth = client.Width();
        FParentHeight = client.Height();
        FTaken = true;
    }

    // One axis: Start and Size as taken, moved for a parent that grew by Delta.
    static void Follow(bool nearEdge, bool farEdge, int delta, int oldParent, int newParent, int& start, int& size)
    {
        if (nearEdge && farEdge)
            size = std::max(0, size + delta);
        else if (farEdge)
            start += delta;
        else if (!nearEdge && oldParent > 0)
            start = static_cast<int>((static_cast<long long>(start) * 2 + size) * newParent / oldParent / 2) - size / 2;
    }

    TRect FBounds;
    int FParentWidth = 0, FParentHeight = 0;
    bool FTaken = false;
    bool FApplying = false; // the rules' own move is no new placement
};

} // namespace

const TEnumInfo& AnchorsInfo()
{
    static const TEnumInfo info{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
    return info;
}

void TControl::SetAnchors(TAnchors value)
{
    if (value == FAnchors)
        return;
    FAnchors = value;
    if (value == DefaultAnchors) {
        FAnchorRules.reset();
        return;
    }
    if (!FAnchorRules)
        FAnchorRules = std::make_unique<TParentEdgeRules>();
    FAnchorRules->ControlPlaced(*this);
}
