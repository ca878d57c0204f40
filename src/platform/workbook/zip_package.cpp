#include "platform/workbook/zip_package.h"

#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace lirma::workbook {

namespace {

std::string zipErrorText(int code)
{
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    std::string text = zip_error_strerror(&err);
    zip_error_fini(&err);
    return text;
}

} // namespace

bool ZipPackage::read(const std::string& path, std::string* error)
{
    parts_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = "cannot open " + path;
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zerr);
    if (!src) {
        if (error)
            *error = zip_error_strerror(&zerr);
        zip_error_fini(&zerr);
        return false;
    }
    zip_t* za = zip_open_from_source(src, ZIP_RDONLY, &zerr);
    if (!za) {
        if (error)
            *error = path + ": not a zip file (" + zip_error_strerror(&zerr) + ")";
        zip_source_free(src);
        zip_error_fini(&zerr);
        return false;
    }
    zip_error_fini(&zerr);
    bool ok = true;
    zip_int64_t count = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < count && ok; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) != 0) {
            ok = false;
            break;
        }
        std::string name = st.name;
        if (!name.empty() && name.back() == '/')
            continue; // folder entry
        zip_file_t* zf = zip_fopen_index(za, zip_uint64_t(i), 0);
        if (!zf) {
            ok = false;
            break;
        }
        std::string data;
        data.resize(size_t(st.size));
        zip_int64_t got = st.size ? zip_fread(zf, data.data(), st.size) : 0;
        zip_fclose(zf);
        if (got < 0 || zip_uint64_t(got) != st.size) {
            ok = false;
            break;
        }
        parts_.push_back({std::move(name), std::move(data)});
    }
    zip_close(za);
    if (!ok && error)
        *error = path + ": damaged zip file";
    return ok;
}

bool ZipPackage::write(const std::string& path, std::string* error) const
{
    // Written beside the destination under another name, then renamed over it.
    std::string temp = path + ".part~";
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    int code = 0;
    zip_t* za = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) {
        if (error)
            *error = "cannot create " + path + ": " + zipErrorText(code);
        return false;
    }
    for (const Part& part : parts_) {
        zip_source_t* src = zip_source_buffer(za, part.data.data(), part.data.size(), 0);
        if (!src || zip_file_add(za, part.name.c_str(), src, ZIP_FL_ENC_UTF_8) < 0) {
            if (src)
                zip_source_free(src);
            if (error)
                *error = std::string("cannot add ") + part.name + ": " + zip_strerror(za);
            zip_discard(za);
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    if (zip_close(za) != 0) {
        if (error)
            *error = "cannot write " + path + ": " + zip_strerror(za);
        zip_discard(za);
        std::filesystem::remove(temp, ec);
        return false;
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        if (error)
            *error = "cannot replace " + path + ": " + ec.message();
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

const std::string* ZipPackage::find(const std::string& name) const
{
    for (const Part& p : parts_)
        if (p.name == name)
            return &p.data;
    return nullptr;
}

std::string* ZipPackage::findMutable(const std::string& name)
{
    for (Part& p : parts_)
        if (p.name == name)
            return &p.data;
    return nullptr;
}

void ZipPackage::put(const std::string& name, std::string data)
{
    if (std::string* existing = findMutable(name)) {
        *existing = std::move(data);
        return;
    }
    parts_.push_back({name, std::move(data)});
}

void ZipPackage::remove(const std::string& name)
{
    std::erase_if(parts_, [&](const Part& p) { return p.name == name; });
}

} // namespace lirma::workbook
