// Names an image among the bundle's resources, by number or by file name.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CResourceDescription
{
public:
	enum Type : uint32_t
	{
		kIntegerType,
		kStringType,
		kUnknownType
	};

	CResourceDescription () = default;
	CResourceDescription (int32_t id) : type (kIntegerType) { u.id = id; }
	CResourceDescription (const char* name) : type (kStringType) { u.name = name; }

	Type type {kUnknownType};
	union
	{
		int32_t id;
		const char* name;
	} u {0};
};

} // VSTGUI
