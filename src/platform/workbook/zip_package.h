// The parts of a zip package (an .xlsx file) held in memory, in their original order, so that a workbook
// can be written back with the parts it did not change copied unchanged.
#pragma once

#include <string>
#include <vector>

namespace lirma::workbook {

class ZipPackage {
public:
    struct Part {
        std::string name; // "xl/worksheets/sheet1.xml"
        std::string data; // uncompressed bytes
    };

    // Reads every part of a zip file; false (with a reason in `error`) when it cannot be read.
    bool read(const std::string& path, std::string* error);
    // Writes the parts in their order; the destination is replaced only once the new file is complete.
    bool write(const std::string& path, std::string* error) const;

    // nullptr when absent. Names are compared exactly (zip names are case-sensitive).
    const std::string* find(const std::string& name) const;
    std::string* findMutable(const std::string& name);
    bool contains(const std::string& name) const { return find(name) != nullptr; }
    // Replaces the part's bytes, or appends the part when it is new.
    void put(const std::string& name, std::string data);
    void remove(const std::string& name);
    const std::vector<Part>& parts() const { return parts_; }

private:
    std::vector<Part> parts_;
};

} // namespace lirma::workbook
