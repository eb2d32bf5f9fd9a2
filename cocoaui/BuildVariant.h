// The two builds of the Cocoa view bundle, chosen by the compile definition
// TOLVIK_EFFECT_BUILD: the main build (TolvikCocoaUI) and the effect build
// (TolvikCocoaUIFX). They differ in the factory's class name and description,
// in whether the factory loads the nib, and in whether the view deletes an
// editor that has no owner.
#pragma once

#if !defined(TOLVIK_EFFECT_BUILD)
#error "TOLVIK_EFFECT_BUILD must be defined as 0 (main build) or 1 (effect build)"
#endif

#if TOLVIK_EFFECT_BUILD
#define TOLVIK_VIEW_FACTORY_CLASS TolvikCocoaUIFXFactory
#define TOLVIK_PRODUCT_NAME @"TolvikCocoaUIFX"
#else
#define TOLVIK_VIEW_FACTORY_CLASS TolvikCocoaUIFactory
#define TOLVIK_PRODUCT_NAME @"TolvikCocoaUI"
#endif

namespace Tolvik {

constexpr bool kIsEffectBuild = TOLVIK_EFFECT_BUILD != 0;

// The main build loads its nib before it makes a view.
constexpr bool kFactoryLoadsNib = !kIsEffectBuild;

// The main build deletes an editor that has no owner once it has closed it.
constexpr bool kViewDeletesOwnerlessEditor = !kIsEffectBuild;

} // Tolvik
