#pragma once
// Qt key codes as the virtual-key codes the drawing window's key table
// uses; 0 for keys it does not know.
unsigned VirtualKeyOf(int qtKey);
