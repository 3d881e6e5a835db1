// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

// How the toolkit's controls present themselves to assistive technology
// (screen readers; on Linux through AT-SPI): a command image as a push button
// that can be pressed, a message banner as a notification named by its
// message, any other image as a picture that offers nothing to do, and a
// drop-down list as a combo box that tells its choice (AccessibleList).
namespace Accessibility
{

// Lets Qt ask for those presentations. Cheap and done once, by the first
// image, banner or list built; nothing is made until a screen reader asks.
void installFactory();

} // namespace Accessibility
