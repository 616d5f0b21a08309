// Prototypes of the Fortran BLAS and LAPACK routines the solver calls.
//
// Every argument is passed by address, matrices are column-major with an
// explicit leading dimension, and each CHARACTER argument carries a trailing
// hidden length (gfortran calling convention); the lengths default to 1 so
// callers pass only the Fortran arguments.
#pragma once

#include <cstddef>

extern "C" {

// BLAS level 3: C = alpha*op(A)*op(B) + beta*C.
void dgemm_(const char* transa, const char* transb, const int* m, const int* n, const int* k,
            const double* alpha, const double* a, const int* lda, const double* b, const int* ldb,
            const double* beta, double* c, const int* ldc, std::size_t transaLen = 1,
            std::size_t transbLen = 1);

// BLAS level 1: x = alpha*x.
void dscal_(const int* n, const double* alpha, double* x, const int* incx);
// BLAS level 1: sum |x(i)|.
double dasum_(const int* n, const double* x, const int* incx);
// BLAS level 1: first position (from 1) of max |x(i)|; 0 when n < 1.
int idamax_(const int* n, const double* x, const int* incx);
// BLAS level 1: y = alpha*x + y.
void daxpy_(const int* n, const double* alpha, const double* x, const int* incx, double* y,
            const int* incy);

// LAPACK: LU factorisation with partial pivoting, A = P*L*U.
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
// LAPACK: solve A*X = B with the factors of dgetrf.
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, std::size_t transLen = 1);
// LAPACK: reciprocal condition number estimate from the factors of dgetrf.
void dgecon_(const char* norm, const int* n, const double* a, const int* lda, const double* anorm,
             double* rcond, double* work, int* iwork, int* info, std::size_t normLen = 1);
// LAPACK: Cholesky factorisation of a symmetric positive definite A.
void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info,
             std::size_t uploLen = 1);
// LAPACK: solve A*X = B with the Cholesky factor held in the "L" or "U" triangle of A.
void dpotrs_(const char* uplo, const int* n, const int* nrhs, const double* a, const int* lda,
             double* b, const int* ldb, int* info, std::size_t uploLen = 1);

}  // extern "C"
