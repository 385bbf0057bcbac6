#pragma once
// Anchors: a control anchored to its parent's right or bottom edge keeps its
// distance to that edge when the parent is resized; anchored to both opposite
// edges it stretches; anchored to neither it keeps its centre in proportion.
// TControl reaches the rules only through this interface, so a program that
// never anchors a control does not carry them (Anchors.cpp).
#include "framework/controls/Controls.h"

class TAnchorRules {
public:
    virtual ~TAnchorRules() = default;
    // The control was placed by other means than its anchors: its distances to
    // the parent's edges are taken again.
    virtual void ControlPlaced(TControl& Control) = 0;
    // The parent may have a new client size: the control follows its anchors.
    virtual void ParentResized(TControl& Control) = 0;
};

const TEnumInfo& AnchorsInfo();
// [akLeft, akTop]: where a control stays when its parent grows.
constexpr TAnchors DefaultAnchors{akLeft, akTop};
