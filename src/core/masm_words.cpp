#include "core/masm_words.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace kelp {
namespace {

// Every instruction, register, operator, type and directive name MASM and
// JWasm keep for themselves (32- and 64-bit), in lower case and in order.
// clang-format off
constexpr std::string_view kReservedWords[] = {
    "aaa", "aad", "aam", "aas", "addr", "addsubpd", "addsubps", "ah", "al", "alias", "align", "and",
    "andnpd", "andnps", "andpd", "andps", "arpl", "assume", "ax", "basic", "bh", "bl", "blendpd", "blendps",
    "blendvpd", "blendvps", "bound", "bp", "bpl", "bsf", "bsr", "bswap", "bt", "btc", "btr", "bts", "bx",
    "byte", "c", "call", "catstr", "cbw", "cdq", "cdqe", "ch", "cl", "clc", "cld", "clflush", "clgi", "cli",
    "clts", "cmc", "cmppd", "cmpps", "cmps", "cmpsb", "cmpsd", "cmpsq", "cmpss", "cmpsw", "cmpxchg",
    "cmpxchg16b", "cmpxchg8b", "comisd", "comiss", "comm", "comment", "cpuid", "cqo", "cr0", "cr2", "cr3",
    "cr4", "cr8", "crc32", "cs", "cvtdq2pd", "cvtdq2ps", "cvtpd2dq", "cvtpd2pi", "cvtpd2ps", "cvtpi2pd",
    "cvtpi2ps", "cvtps2dq", "cvtps2pd", "cvtps2pi", "cvtsd2si", "cvtsd2ss", "cvtsi2sd", "cvtsi2ss",
    "cvtss2sd", "cvtss2si", "cvttpd2dq", "cvttpd2pi", "cvttps2dq", "cvttps2pi", "cvttsd2si", "cvttss2si",
    "cwd", "cwde", "cx", "daa", "das", "db", "dd", "dec", "df", "dh", "di", "dil", "div", "dl", "dosseg",
    "dppd", "dpps", "dq", "dr0", "dr1", "dr2", "dr3", "dr6", "dr7", "ds", "dt", "dup", "dw", "dword", "dx",
    "eax", "ebp", "ebx", "echo", "ecx", "edi", "edx", "else", "elseif", "elseif1", "elseif2", "elseifb",
    "elseifdef", "elseifdif", "elseifdifi", "elseife", "elseifidn", "elseifidni", "elseifnb", "elseifndef",
    "emms", "end", "endif", "endm", "endp", "ends", "enter", "eq", "equ", "es", "esi", "esp", "even",
    "exitm", "extern", "externdef", "extractps", "extrn", "extrq", "f2xm1", "fabs", "fadd", "faddp", "far",
    "far16", "far32", "fastcall", "fbld", "fbstp", "fchs", "fclex", "fcmovb", "fcmovbe", "fcmove",
    "fcmovnb", "fcmovnbe", "fcmovne", "fcmovnu", "fcmovu", "fcom", "fcomi", "fcomip", "fcomp", "fcompp",
    "fcos", "fdecstp", "fdisi", "fdiv", "fdivp", "fdivr", "fdivrp", "femms", "feni", "ffree", "ffreep",
    "fiadd", "ficom", "ficomp", "fidiv", "fidivr", "fild", "fimul", "fincstp", "finit", "fist", "fistp",
    "fisttp", "fisub", "fisubr", "flat", "fld", "fld1", "fldcw", "fldenv", "fldenvd", "fldenvw", "fldl2e",
    "fldl2t", "fldlg2", "fldln2", "fldpi", "fldz", "fmul", "fmulp", "fnclex", "fndisi", "fneni", "fninit",
    "fnop", "fnsave", "fnsaved", "fnsavew", "fnstcw", "fnstenv", "fnstenvd", "fnstenvw", "fnstsw", "for",
    "forc", "fortran", "fpatan", "fprem", "fprem1", "fptan", "frame", "frndint", "frstor", "frstord",
    "frstorw", "fs", "fsave", "fsaved", "fsavew", "fscale", "fsetpm", "fsin", "fsincos", "fsqrt", "fst",
    "fstcw", "fstenv", "fstenvd", "fstenvw", "fstp", "fstsw", "fsub", "fsubp", "fsubr", "fsubrp", "ftst",
    "fucom", "fucomi", "fucomip", "fucomp", "fucompp", "fwait", "fword", "fxam", "fxch", "fxrstor",
    "fxrstor64", "fxsave", "fxsave64", "fxtract", "fyl2x", "fyl2xp1", "ge", "goto", "group", "gs", "gt",
    "haddpd", "haddps", "high", "high32", "highword", "hlt", "hsubpd", "hsubps", "idiv", "if", "if1", "if2",
    "ifb", "ifdef", "ifdif", "ifdifi", "ife", "ifidn", "ifidni", "ifnb", "ifndef", "imagerel", "imul", "in",
    "inc", "incbin", "include", "includelib", "ins", "insb", "insd", "insertps", "insertq", "instr", "insw",
    "int", "into", "invd", "invept", "invlpg", "invlpga", "invoke", "invvpid", "iret", "iretd", "iretdf",
    "iretf", "iretq", "irp", "irpc", "jcxz", "jecxz", "jmp", "jrcxz", "label", "lahf", "lar", "lddqu",
    "ldmxcsr", "lds", "le", "lea", "leave", "length", "lengthof", "les", "lfence", "lfs", "lgdt", "lgs",
    "lidt", "lldt", "lmsw", "local", "lock", "lods", "lodsb", "lodsd", "lodsq", "lodsw", "loop", "loopd",
    "loope", "looped", "loopew", "loopne", "loopned", "loopnew", "loopnz", "loopnzd", "loopnzw", "loopw",
    "loopz", "loopzd", "loopzw", "low", "low32", "lowword", "lroffset", "lsl", "lss", "lt", "ltr", "lzcnt",
    "macro", "mask", "maskmovdqu", "maskmovq", "mfence", "mm0", "mm1", "mm2", "mm3", "mm4", "mm5", "mm6",
    "mm7", "mmword", "mod", "monitor", "mov", "movapd", "movaps", "movd", "movddup", "movdq2q", "movdqa",
    "movdqu", "movhlps", "movhpd", "movhps", "movlhps", "movlpd", "movlps", "movmskpd", "movmskps",
    "movntdq", "movntdqa", "movnti", "movntpd", "movntps", "movntq", "movntsd", "movntss", "movq",
    "movq2dq", "movs", "movsb", "movsd", "movshdup", "movsldup", "movsq", "movss", "movsw", "movsx",
    "movsxd", "movupd", "movups", "movzx", "mpsadbw", "mul", "mwait", "name", "namelc", "ne", "near",
    "near16", "near32", "neg", "nop", "not", "offset", "opattr", "option", "or", "org", "orpd", "orps",
    "out", "outs", "outsb", "outsd", "outsw", "oword", "pabsb", "pabsd", "pabsw", "packssdw", "packsswb",
    "packusdw", "packuswb", "paddb", "paddd", "paddq", "paddsb", "paddsw", "paddusb", "paddusw", "paddw",
    "page", "palignr", "pand", "pandn", "pascal", "pause", "pavgb", "pavgusb", "pavgw", "pblendvb",
    "pblendw", "pcmpeqb", "pcmpeqd", "pcmpeqq", "pcmpeqw", "pcmpestri", "pcmpestrm", "pcmpgtb", "pcmpgtd",
    "pcmpgtq", "pcmpgtw", "pcmpistri", "pcmpistrm", "pextrb", "pextrd", "pextrq", "pextrw", "pf2id",
    "pf2iw", "pfacc", "pfadd", "pfcmpeq", "pfcmpge", "pfcmpgt", "pfmax", "pfmin", "pfmul", "pfnacc",
    "pfpnacc", "pfrcp", "pfrcpit1", "pfrcpit2", "pfrsqit1", "pfrsqrt", "pfsub", "pfsubr", "phaddd",
    "phaddsw", "phaddw", "phminposuw", "phsubd", "phsubsw", "phsubw", "pi2fd", "pi2fw", "pinsrb", "pinsrd",
    "pinsrq", "pinsrw", "pmaddubsw", "pmaddwd", "pmaxsb", "pmaxsd", "pmaxsw", "pmaxub", "pmaxud", "pmaxuw",
    "pminsb", "pminsd", "pminsw", "pminub", "pminud", "pminuw", "pmovmskb", "pmovsxbd", "pmovsxbq",
    "pmovsxbw", "pmovsxdq", "pmovsxwd", "pmovsxwq", "pmovzxbd", "pmovzxbq", "pmovzxbw", "pmovzxdq",
    "pmovzxwd", "pmovzxwq", "pmuldq", "pmulhrsw", "pmulhrw", "pmulhuw", "pmulhw", "pmulld", "pmullw",
    "pmuludq", "pop", "popa", "popad", "popaw", "popcnt", "popcontext", "popf", "popfd", "popfq", "por",
    "prefetch", "prefetchnta", "prefetcht0", "prefetcht1", "prefetcht2", "prefetchw", "proc", "proto",
    "psadbw", "pshufb", "pshufd", "pshufhw", "pshuflw", "pshufw", "psignb", "psignd", "psignw", "pslld",
    "pslldq", "psllq", "psllw", "psrad", "psraw", "psrld", "psrldq", "psrlq", "psrlw", "psubb", "psubd",
    "psubq", "psubsb", "psubsw", "psubusb", "psubusw", "psubw", "pswapd", "ptest", "ptr", "public",
    "punpckhbw", "punpckhdq", "punpckhqdq", "punpckhwd", "punpcklbw", "punpckldq", "punpcklqdq",
    "punpcklwd", "purge", "push", "pusha", "pushad", "pushaw", "pushcontext", "pushd", "pushf", "pushfd",
    "pushfq", "pushw", "pxor", "qword", "r10", "r10b", "r10d", "r10w", "r11", "r11b", "r11d", "r11w", "r12",
    "r12b", "r12d", "r12w", "r13", "r13b", "r13d", "r13w", "r14", "r14b", "r14d", "r14w", "r15", "r15b",
    "r15d", "r15w", "r8", "r8b", "r8d", "r8w", "r9", "r9b", "r9d", "r9w", "rax", "rbp", "rbx", "rcpps",
    "rcpss", "rcx", "rdi", "rdmsr", "rdpmc", "rdtsc", "rdtscp", "rdx", "real10", "real4", "real8", "record",
    "rep", "repe", "repeat", "repne", "repnz", "rept", "repz", "ret", "retd", "retf", "retn", "retw",
    "roundpd", "roundps", "roundsd", "roundss", "rsi", "rsm", "rsp", "rsqrtps", "rsqrtss", "sahf", "sbyte",
    "scas", "scasb", "scasd", "scasq", "scasw", "sdword", "sectionrel", "seg", "segment", "seta", "setae",
    "setb", "setbe", "setc", "sete", "setg", "setge", "setl", "setle", "setna", "setnae", "setnb", "setnbe",
    "setnc", "setne", "setng", "setnge", "setnl", "setnle", "setno", "setnp", "setns", "setnz", "seto",
    "setp", "setpe", "setpo", "sets", "setz", "sfence", "sgdt", "shl", "shld", "short", "shr", "shrd",
    "shufpd", "shufps", "si", "sidt", "sil", "size", "sizeof", "sizestr", "skinit", "sldt", "smsw", "sp",
    "spl", "sqword", "ss", "st", "stc", "std", "stdcall", "stgi", "sti", "stmxcsr", "stos", "stosb",
    "stosd", "stosq", "stosw", "str", "struc", "struct", "substr", "subtitle", "subttl", "swapgs", "sword",
    "syscall", "sysenter", "sysexit", "sysret", "tbyte", "test", "textequ", "this", "title", "tr3", "tr4",
    "tr5", "tr6", "tr7", "type", "typedef", "ucomisd", "ucomiss", "ud2", "union", "unpckhpd", "unpckhps",
    "unpcklpd", "unpcklps", "uses", "vararg", "vblendvpd", "vblendvps", "vbroadcastf128", "vbroadcastsd",
    "vbroadcastss", "vcvtpd2dq", "vcvtpd2ps", "vcvttpd2dq", "verr", "verw", "vextractf128", "vinsertf128",
    "vmaskmovpd", "vmaskmovps", "vmcall", "vmclear", "vmlaunch", "vmload", "vmmcall", "vmovddup",
    "vmovmskpd", "vmovmskps", "vmptrld", "vmptrst", "vmread", "vmresume", "vmrun", "vmsave", "vmwrite",
    "vmxoff", "vmxon", "vpblendvb", "vperm2f128", "vpermilpd", "vpermilps", "vtestpd", "vtestps",
    "vzeroall", "vzeroupper", "wait", "wbinvd", "while", "width", "word", "wrmsr", "xadd", "xchg", "xgetbv",
    "xlat", "xlatb", "xmm0", "xmm1", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15", "xmm2", "xmm3",
    "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9", "xmmword", "xor", "xorpd", "xorps", "xrstor",
    "xrstor64", "xsave", "xsave64", "xsaveopt", "xsaveopt64", "xsetbv", "ymm0", "ymm1", "ymm10", "ymm11",
    "ymm12", "ymm13", "ymm14", "ymm15", "ymm2", "ymm3", "ymm4", "ymm5", "ymm6", "ymm7", "ymm8", "ymm9",
    "ymmword",
};
// clang-format on

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool IsFirstNameChar(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '@' || c == '$' || c == '?';
}

}  // namespace

bool IsMasmReservedWord(std::string_view word) {
  if (word.empty() || word.size() > 32) return false;
  std::string lower(word);
  std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
  return std::binary_search(std::begin(kReservedWords), std::end(kReservedWords), std::string_view(lower));
}

bool IsMasmName(std::string_view word) {
  if (word.empty() || word.size() > kMaxMasmNameBytes || !IsFirstNameChar(word.front())) return false;
  if (word == "$" || word == "?") return false;
  return std::all_of(word.begin() + 1, word.end(), [](char c) {
    return IsFirstNameChar(c) || std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

}  // namespace kelp
