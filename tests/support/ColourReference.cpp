// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourReference.h"

#include <lcms2.h>

QRgb LcmsToSrgb(const QByteArray &icc, QRgb colour)
{
    cmsHPROFILE from = cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    const bool cmyk = from && cmsGetColorSpace(from) == cmsSigCmykData;
    const unsigned char in[4] = {uchar(qRed(colour)), uchar(qGreen(colour)), uchar(qBlue(colour)), 255};
    unsigned char out[3] = {0, 0, 0};
    if (cmsHTRANSFORM t = from ? cmsCreateTransform(from, cmyk ? TYPE_CMYK_8_REV : TYPE_RGB_8, srgb,
                                                    TYPE_RGB_8, INTENT_PERCEPTUAL, 0)
                               : nullptr) {
        cmsDoTransform(t, in, out, 1);
        cmsDeleteTransform(t);
    }
    if (from)
        cmsCloseProfile(from);
    cmsCloseProfile(srgb);
    return qRgb(out[0], out[1], out[2]);
}

namespace {

int InkToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void *toLab)
{
    // Cyan takes red, magenta green, yellow blue, black all three; the
    // result as sRGB, then into Lab.
    const double c = in[0] / 65535.0, m = in[1] / 65535.0, y = in[2] / 65535.0,
                 k = in[3] / 65535.0;
    const double rgb[3] = {(1 - c) * (1 - k), (1 - m) * (1 - k), (1 - y) * (1 - k)};
    cmsCIELab lab;
    cmsDoTransform(static_cast<cmsHTRANSFORM>(toLab), rgb, &lab, 1);
    cmsFloat2LabEncoded(out, &lab);
    return 1;
}

} // namespace

QByteArray MakeCmykProfile()
{
    cmsHPROFILE p = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(p, 2.1);
    cmsSetDeviceClass(p, cmsSigOutputClass);
    cmsSetColorSpace(p, cmsSigCmykData);
    cmsSetPCS(p, cmsSigLabData);
    cmsPipeline *lut = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage *table = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE labProfile = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_DBL, labProfile, TYPE_Lab_DBL,
                                             INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
    cmsStageSampleCLut16bit(table, InkToLab, toLab, 0);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(labProfile);
    cmsCloseProfile(srgb);
    cmsPipelineInsertStage(lut, cmsAT_END, table);
    cmsWriteTag(p, cmsSigAToB0Tag, lut);
    cmsWriteTag(p, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsPipelineFree(lut);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(p, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(p, bytes.data(), &size);
    cmsCloseProfile(p);
    return bytes;
}
