// Core Graphics geometry: points, sizes and rectangles in doubles.
//
// On a 64-bit Mac, Foundation's NSPoint, NSSize and NSRect are the very same
// types as CGPoint, CGSize and CGRect, so Cocoa code passes one for the other.
// To keep that true here, Objective-C code takes the Foundation types and
// portable C++ declares the same structs under the same tags, so both kinds
// of translation unit agree on the type (and its mangled name).
#pragma once

#if defined(__OBJC__)
#import <Foundation/NSGeometry.h>
typedef NSPoint CGPoint;
typedef NSSize CGSize;
typedef NSRect CGRect;
#else
#if !defined(CGFLOAT_DEFINED)
typedef double CGFloat;
#define CGFLOAT_DEFINED 1
#define CGFLOAT_IS_DBL 1
#endif
struct _NSPoint
{
	CGFloat x;
	CGFloat y;
};
struct _NSSize
{
	CGFloat width;
	CGFloat height;
};
struct _NSRect
{
	struct _NSPoint origin;
	struct _NSSize size;
};
typedef struct _NSPoint CGPoint;
typedef struct _NSSize CGSize;
typedef struct _NSRect CGRect;
#endif

inline CGPoint CGPointMake (CGFloat x, CGFloat y)
{
	CGPoint p;
	p.x = x;
	p.y = y;
	return p;
}

inline CGSize CGSizeMake (CGFloat width, CGFloat height)
{
	CGSize s;
	s.width = width;
	s.height = height;
	return s;
}

inline CGRect CGRectMake (CGFloat x, CGFloat y, CGFloat width, CGFloat height)
{
	CGRect r;
	r.origin = CGPointMake (x, y);
	r.size = CGSizeMake (width, height);
	return r;
}

inline CGFloat CGRectGetWidth (CGRect r) { return r.size.width < 0 ? -r.size.width : r.size.width; }
inline CGFloat CGRectGetHeight (CGRect r) { return r.size.height < 0 ? -r.size.height : r.size.height; }
