#include "TPdfFontSubset.h"

#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <array>
#include <filesystem>
#include <memory>
#include <mutex>

#include "Exception.h"
#include "FontTables.h"

namespace pdf {

namespace {

struct FaceFacts {
    const char* name;
    const char* package;
    // Debian's own places first, then the older and the fonts-japanese links.
    std::array<const char*, 3> paths;
};

constexpr FaceFacts kFaces[] = {
    {"IPAGothic",
     "fonts-ipafont-gothic",
     {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
      "/usr/share/fonts/truetype/ipafont-gothic/ipag.ttf",
      "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"}},
    {"IPAPGothic",
     "fonts-ipafont-gothic",
     {"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
      "/usr/share/fonts/truetype/ipafont-gothic/ipagp.ttf", nullptr}},
    {"IPAMincho",
     "fonts-ipafont-mincho",
     {"/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
      "/usr/share/fonts/truetype/ipafont-mincho/ipam.ttf",
      "/usr/share/fonts/truetype/fonts-japanese-mincho.ttf"}},
    {"IPAPMincho",
     "fonts-ipafont-mincho",
     {"/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
      "/usr/share/fonts/truetype/ipafont-mincho/ipamp.ttf", nullptr}},
};

const FaceFacts& Facts(TPdfEmbeddedFace face) {
    return kFaces[static_cast<std::size_t>(face)];
}

struct FaceDeleter {
    void operator()(hb_face_t* face) const { hb_face_destroy(face); }
};
struct BlobDeleter {
    void operator()(hb_blob_t* blob) const { hb_blob_destroy(blob); }
};
struct FontDeleter {
    void operator()(hb_font_t* font) const { hb_font_destroy(font); }
};
struct InputDeleter {
    void operator()(hb_subset_input_t* input) const { hb_subset_input_destroy(input); }
};
using FacePtr = std::unique_ptr<hb_face_t, FaceDeleter>;
using BlobPtr = std::unique_ptr<hb_blob_t, BlobDeleter>;
using FontPtr = std::unique_ptr<hb_font_t, FontDeleter>;

// Tables a PDF reader never looks at in an embedded TrueType program.
constexpr hb_tag_t kDroppedTables[] = {
    HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
    HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'), HB_TAG('D', 'S', 'I', 'G'),
    HB_TAG('v', 'h', 'e', 'a'), HB_TAG('v', 'm', 't', 'x'), HB_TAG('V', 'O', 'R', 'G'),
    HB_TAG('k', 'e', 'r', 'n'), HB_TAG('h', 'd', 'm', 'x'), HB_TAG('L', 'T', 'S', 'H'),
    HB_TAG('V', 'D', 'M', 'X')};

// Parsed faces live as long as the program: a batch of documents reads each file once.
std::mutex gFacesMutex;
std::array<FacePtr, std::size(kFaces)> gFaces;

hb_face_t* CachedFace(TPdfEmbeddedFace face) {
    FacePtr& cached = gFaces[static_cast<std::size_t>(face)];
    if (!cached) {
        const std::string path = EmbeddedFaceFile(face);
        BlobPtr blob(hb_blob_create_from_file_or_fail(path.c_str()));
        if (!blob) {
            throw Exception("cannot read the font file " + path);
        }
        cached.reset(hb_face_create(blob.get(), 0));
        if (hb_face_get_glyph_count(cached.get()) == 0) {
            cached.reset();
            throw Exception("the font file " + path + " holds no glyphs");
        }
    }
    return cached.get();
}

std::int32_t Thousandths(hb_position_t units, unsigned upem) {
    const auto scaled = static_cast<double>(units) * 1000.0 / upem;
    return static_cast<std::int32_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

std::int16_t ReadInt16(const char* at) {
    return static_cast<std::int16_t>((static_cast<unsigned char>(at[0]) << 8U) |
                                     static_cast<unsigned char>(at[1]));
}

TPdfFaceMetrics MetricsOf(hb_face_t* face) {
    const unsigned upem = hb_face_get_upem(face);
    FontPtr font(hb_font_create(face));
    TPdfFaceMetrics metrics;
    hb_position_t value = 0;
    if (hb_ot_metrics_get_position(font.get(), HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &value)) {
        metrics.Ascent = Thousandths(value, upem);
    }
    if (hb_ot_metrics_get_position(font.get(), HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &value)) {
        metrics.Descent = Thousandths(value, upem);
    }
    metrics.CapHeight = hb_ot_metrics_get_position(font.get(), HB_OT_METRICS_TAG_CAP_HEIGHT, &value)
                            ? Thousandths(value, upem)
                            : metrics.Ascent;
    // xMin, yMin, xMax and yMax of the head table.
    BlobPtr head(hb_face_reference_table(face, HB_TAG('h', 'e', 'a', 'd')));
    unsigned length = 0;
    const char* data = hb_blob_get_data(head.get(), &length);
    if (length >= 44) {
        for (int k = 0; k < 4; ++k) {
            metrics.BBox[k] = Thousandths(ReadInt16(data + 36 + 2 * k), upem);
        }
    }
    return metrics;
}

}  // namespace

const char* EmbeddedFaceName(TPdfEmbeddedFace face) {
    return Facts(face).name;
}

std::string EmbeddedFaceFile(TPdfEmbeddedFace face) {
    const FaceFacts& facts = Facts(face);
    for (const char* path : facts.paths) {
        std::error_code error;
        if (path != nullptr && std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    throw Exception(std::string("the font ") + facts.name +
                    " to embed in the PDF is not installed (Debian package " + facts.package +
                    "); install it or switch off embedding fonts in the settings");
}

TPdfFontSubset SubsetFace(TPdfEmbeddedFace face, const std::set<std::uint16_t>& cids) {
    std::lock_guard lock(gFacesMutex);
    hb_face_t* source = CachedFace(face);

    std::unique_ptr<hb_subset_input_t, InputDeleter> input(hb_subset_input_create_or_fail());
    if (!input) {
        throw Exception("out of memory subsetting a font");
    }
    hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
    for (std::uint16_t cid : cids) {
        if (cid < kJapan1ToUnicode.size() && kJapan1ToUnicode[cid] != 0) {
            hb_set_add(unicodes, kJapan1ToUnicode[cid]);
        }
    }
    hb_set_t* dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (hb_tag_t tag : kDroppedTables) {
        hb_set_add(dropped, tag);
    }
    FacePtr subset(hb_subset_or_fail(source, input.get()));
    if (!subset) {
        throw Exception(std::string("cannot subset the font ") + EmbeddedFaceName(face));
    }
    BlobPtr program(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char* data = hb_blob_get_data(program.get(), &length);

    TPdfFontSubset result;
    result.Program.assign(data, length);
    // The subset renumbers its glyphs; its own cmap says where each character went.
    FacePtr reread(hb_face_create(program.get(), 0));
    FontPtr font(hb_font_create(reread.get()));
    for (std::uint16_t cid : cids) {
        hb_codepoint_t glyph = 0;
        const std::uint16_t unicode = cid < kJapan1ToUnicode.size() ? kJapan1ToUnicode[cid] : 0;
        if (unicode != 0 && hb_font_get_nominal_glyph(font.get(), unicode, &glyph)) {
            result.GlyphOfCID[cid] = static_cast<std::uint16_t>(glyph);
        } else {
            result.GlyphOfCID[cid] = 0;
        }
    }
    result.Metrics = MetricsOf(source);
    return result;
}

}  // namespace pdf
