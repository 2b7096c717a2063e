// GoogleTest names for the rows of table-driven tests, made from each row's own name.
#pragma once

#include <cctype>
#include <string>

// GoogleTest names allow letters, digits and underscores only.
struct RowName {
    template <typename Info>
    std::string operator()(const Info& info) const
    {
        std::string name;
        for (const char* p = info.param.name; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    }
};
